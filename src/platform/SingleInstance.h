// "Only one copy runs": an advisory lock on a file that the kernel releases when the process ends, and
// beside it the socket through which a second start hands its files to the running copy.
#pragma once

#include <string>

#include "platform/File.h"

namespace zk {

class TSingleInstanceLock {
 public:
  // flock(LOCK_EX | LOCK_NB) on a file of that name in $XDG_RUNTIME_DIR, else in the temp folder with the
  // user id in the name. Only a lock that a running process holds on this user's own lock file means
  // another instance; a lock file that cannot be made or is not this user's own (a missing or read-only
  // folder, a file left by `sudo -E`) leaves the program free to run without a lock.
  static TSingleInstanceLock TryAcquire(const std::string& name = "HISNAMEISZK");

  // The local socket of the instance that holds the lock `name`: in the lock's folder, under the lock's
  // name with ".socket" added.
  static std::string HandOverSocketPath(const std::string& name = "HISNAMEISZK");

  bool AnotherInstanceRuns() const { return anotherInstanceRuns_; }
  bool Held() const { return file_.IsOpen(); }
  const std::string& LockPath() const { return file_.Path(); }

 private:
  TSingleInstanceLock(File file, bool anotherInstanceRuns)
      : file_(std::move(file)), anotherInstanceRuns_(anotherInstanceRuns) {}

  File file_;  // closing the only descriptor releases the lock
  bool anotherInstanceRuns_;
};

// The process at the other end of a connected local socket runs under this process's user. Only such a
// peer may hand files over or receive them: in the shared temp folder anyone could make a socket.
bool PeerIsSameUser(int socketDescriptor);

}  // namespace zk
