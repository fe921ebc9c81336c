#include "platform/Cores.h"

#include <sched.h>

namespace zk {

int AvailableCores() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  const int count = CPU_COUNT(&set);
  return count > 0 ? count : 1;
}

}  // namespace zk
