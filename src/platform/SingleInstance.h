// "Only one copy runs": an advisory lock on a file that the kernel releases when the process ends.
#pragma once

#include <optional>
#include <string>

namespace zk {

class SingleInstanceLock {
 public:
  // flock(LOCK_EX | LOCK_NB) on a file of that name in $XDG_RUNTIME_DIR, else in the temp folder with the
  // user id in the name. Empty when another holder has it (or the lock file cannot be made).
  static std::optional<SingleInstanceLock> TryAcquire(const std::string& name = "HISNAMEISZK");

  SingleInstanceLock(SingleInstanceLock&& other) noexcept;
  SingleInstanceLock& operator=(SingleInstanceLock&& other) noexcept;
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
  ~SingleInstanceLock();

  const std::string& LockPath() const { return path_; }

 private:
  SingleInstanceLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

  int fd_ = -1;
  std::string path_;
};

}  // namespace zk
