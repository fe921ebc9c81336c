#include "platform/ExecutableFolder.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/FileError.h"
#include "platform/Paths.h"

namespace zk {

std::string ExecutableFolder() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) throw FileError::FromErrno(errno, "cannot resolve", "/proc/self/exe");
    if (static_cast<size_t>(length) < buffer.size())
      return FolderPart(std::string_view(buffer.data(), static_cast<size_t>(length)));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace zk
