// "Only one copy runs": an advisory lock on a file that the kernel releases when the process ends.
#pragma once

#include <optional>
#include <string>

#include "platform/File.h"

namespace zk {

class SingleInstanceLock {
 public:
  // flock(LOCK_EX | LOCK_NB) on a file of that name in $XDG_RUNTIME_DIR, else in the temp folder with the
  // user id in the name. Empty when another holder has it (or the lock file cannot be made).
  static std::optional<SingleInstanceLock> TryAcquire(const std::string& name = "HISNAMEISZK");

  const std::string& LockPath() const { return file_.Path(); }

 private:
  explicit SingleInstanceLock(File file) : file_(std::move(file)) {}

  File file_;  // closing the only descriptor releases the lock
};

}  // namespace zk
