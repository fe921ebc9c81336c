#include "platform/MoveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zk {

bool MoveWithoutReplacing(const std::string& from, const std::string& to) {
  // rename() would replace an existing file; RENAME_NOREPLACE refuses atomically.
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // The file system cannot refuse in the rename itself: a hard link refuses an existing name, then the
  // old name goes.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno != EPERM && errno != EOPNOTSUPP) return false;
  // No hard links either (FAT): the name is checked just before a plain rename, the best such a file
  // system allows.
  struct stat info;
  if (::lstat(to.c_str(), &info) == 0) {
    errno = EEXIST;
    return false;
  }
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool ReplaceRegularFile(const std::string& from, const std::string& to) {
  struct stat replaced;
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
    // from now names what stood at to.
    if (::lstat(from.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)) {
      ::unlink(from.c_str());
      return true;
    }
    ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE);
    errno = EEXIST;
    return false;
  }
  if (errno == ENOENT) return MoveWithoutReplacing(from, to);  // nothing stands there (any more)
  if (errno != EINVAL && errno != ENOSYS) return false;
  // No exchange on this file system: the kind is checked just before a plain rename.
  if (::lstat(to.c_str(), &replaced) == 0 && !S_ISREG(replaced.st_mode)) {
    errno = EEXIST;
    return false;
  }
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace zk
