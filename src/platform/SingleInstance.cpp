#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

namespace zk {

namespace {

std::string InFolder(std::string folder, const std::string& name) {
  if (folder.back() != '/') folder += '/';
  return folder + name;
}

std::string LockFilePath(const std::string& name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return InFolder(runtime, name);
  // The temp folder is shared by every user: the user id keeps the instances of different users apart.
  const char* temp = std::getenv("TMPDIR");
  return InFolder(temp != nullptr && *temp != '\0' ? temp : "/tmp", name + "-" + std::to_string(::getuid()));
}

}  // namespace

std::optional<SingleInstanceLock> SingleInstanceLock::TryAcquire(const std::string& name) {
  std::string path = LockFilePath(name);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return std::nullopt;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  return SingleInstanceLock(fd, std::move(path));
}

SingleInstanceLock::SingleInstanceLock(SingleInstanceLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

SingleInstanceLock& SingleInstanceLock::operator=(SingleInstanceLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the only descriptor releases the lock
}

}  // namespace zk
