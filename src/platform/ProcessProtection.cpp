#include "platform/ProcessProtection.h"

#include <sys/prctl.h>

#include <cerrno>
#include <system_error>

namespace zk {

void ProtectProcessMemory() {
  if (::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) != 0)
    throw std::system_error(errno, std::generic_category(), "cannot mark the process not dumpable");
}

}  // namespace zk
