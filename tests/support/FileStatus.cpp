#include "FileStatus.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <stdexcept>

namespace zk::test {

bool Exists(const std::string& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0;
}

std::time_t ModificationTime(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) throw std::runtime_error("stat failed for " + path);
  return status.st_mtime;
}

void SetModificationTime(const std::string& path, std::time_t time) {
  const timespec times[2] = {{time, 0}, {time, 0}};
  if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
    throw std::runtime_error("utimensat failed for " + path);
}

}  // namespace zk::test
