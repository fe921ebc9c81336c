// "Only one copy runs": an advisory lock on a file that the kernel releases when the process ends.
#pragma once

#include <string>

#include "platform/File.h"

namespace zk {

class SingleInstanceLock {
 public:
  // flock(LOCK_EX | LOCK_NB) on a file of that name in $XDG_RUNTIME_DIR, else in the temp folder with the
  // user id in the name. Only a lock that a running process holds on this user's own lock file means
  // another instance; a lock file that cannot be made or is not this user's own (a missing or read-only
  // folder, a file left by `sudo -E`) leaves the program free to run without a lock.
  static SingleInstanceLock TryAcquire(const std::string& name = "HISNAMEISZK");

  bool AnotherInstanceRuns() const { return anotherInstanceRuns_; }
  bool Held() const { return file_.IsOpen(); }
  const std::string& LockPath() const { return file_.Path(); }

 private:
  SingleInstanceLock(File file, bool anotherInstanceRuns)
      : file_(std::move(file)), anotherInstanceRuns_(anotherInstanceRuns) {}

  File file_;  // closing the only descriptor releases the lock
  bool anotherInstanceRuns_;
};

}  // namespace zk
