#include "platform/Durability.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>

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

bool SyncFileSystems(const std::vector<int>& descriptors) {
  std::set<dev_t> flushed;
  for (const int fd : descriptors) {
    struct stat info;
    if (::fstat(fd, &info) != 0) return false;
    if (flushed.contains(info.st_dev)) continue;
    if (::syncfs(fd) != 0) return false;
    flushed.insert(info.st_dev);
  }
  return true;
}

}  // namespace zk
