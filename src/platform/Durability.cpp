#include "platform/Durability.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileError.h"
#include "platform/Paths.h"

namespace zk {

namespace {

void SyncPath(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) throw FileError::FromErrno(errno, "cannot open", path);
  const int result = ::fsync(fd);
  const int code = errno;
  ::close(fd);
  // Some file systems cannot sync a folder; that is no failure of the data.
  if (result != 0 && code != EINVAL && code != EROFS) throw FileError::FromErrno(code, "cannot flush", path);
}

}  // namespace

void SyncFile(const std::string& path) { SyncPath(path, O_RDONLY); }

void SyncFolderOf(const std::string& path) {
  const std::string folder = FolderPart(path);
  SyncPath(folder.empty() ? std::string(".") : folder, O_RDONLY | O_DIRECTORY);
}

}  // namespace zk
