#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "TempFolder.h"
#include "platform/SingleInstance.h"

namespace zk {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnvironment() { old_.empty() ? ::unsetenv(name_) : ::setenv(name_, old_.c_str(), 1); }

 private:
  const char* name_;
  std::string old_;
};

// Another process that takes the lock and keeps it until it is ended.
class LockHolder {
 public:
  LockHolder() {
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) std::abort();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(release[1]);
      const TSingleInstanceLock lock = TSingleInstanceLock::TryAcquire();
      const char held = lock.Held() ? '1' : '0';
      (void)!::write(ready[1], &held, 1);
      char ignored;
      (void)!::read(release[0], &ignored, 1);  // returns when the parent closes its end
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char held = '0';
    (void)!::read(ready[0], &held, 1);
    ::close(ready[0]);
    held_ = held == '1';
  }
  ~LockHolder() { End(); }

  bool Held() const { return held_; }
  void End() {
    if (pid_ <= 0) return;
    ::close(release_);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
  bool held_ = false;
};

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", temp.Path().c_str());
  std::optional<TSingleInstanceLock> first = TSingleInstanceLock::TryAcquire();
  ASSERT_TRUE(first->Held());
  EXPECT_FALSE(first->AnotherInstanceRuns());
  EXPECT_EQ(first->LockPath(), temp.Path("HISNAMEISZK"));
  EXPECT_TRUE(TSingleInstanceLock::TryAcquire().AnotherInstanceRuns());

  std::optional<TSingleInstanceLock> moved = std::move(first);
  first.reset();
  EXPECT_TRUE(TSingleInstanceLock::TryAcquire().AnotherInstanceRuns());  // the moved-to object still holds it
  moved.reset();
  EXPECT_TRUE(TSingleInstanceLock::TryAcquire().Held());
}

TEST(SingleInstance, LockOfARunningProcessRefusesAndItsStaleFileDoesNot) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", temp.Path().c_str());
  LockHolder other;
  ASSERT_TRUE(other.Held());
  const TSingleInstanceLock refused = TSingleInstanceLock::TryAcquire();
  EXPECT_TRUE(refused.AnotherInstanceRuns());
  EXPECT_FALSE(refused.Held());

  other.End();  // its lock file stays behind
  const TSingleInstanceLock after = TSingleInstanceLock::TryAcquire();
  EXPECT_TRUE(after.Held());
  EXPECT_FALSE(after.AnotherInstanceRuns());
}

TEST(SingleInstance, WithoutRuntimeFolderUsesTheTempFolderWithTheUserId) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", nullptr);
  ScopedEnvironment tmp("TMPDIR", temp.Path().c_str());
  const TSingleInstanceLock lock = TSingleInstanceLock::TryAcquire("ZKTEST");
  ASSERT_TRUE(lock.Held());
  EXPECT_EQ(lock.LockPath(), temp.Path("ZKTEST-" + std::to_string(::getuid())));
  EXPECT_TRUE(TSingleInstanceLock::TryAcquire("ZKTEST").AnotherInstanceRuns());
}

// A lock that cannot be made is no sign of another instance: the program runs without one.
TEST(SingleInstance, UnusableLockFolderLetsTheProgramRun) {
  test::TempFolder temp;
  const std::string notAFolder = temp.WriteFile("not-a-folder");
  for (const std::string& folder : {temp.Path("missing"), notAFolder}) {
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", folder.c_str());
    const TSingleInstanceLock lock = TSingleInstanceLock::TryAcquire();
    EXPECT_FALSE(lock.Held()) << folder;
    EXPECT_FALSE(lock.AnotherInstanceRuns()) << folder;
  }
}

// After `sudo -E zk` the runtime folder holds root's lock file, which the user can neither open nor lock.
// As root the file is handed to "nobody"; as a user, a file without permissions stands in for it. A process
// holding a lock on it still says nothing about this user's instances.
TEST(SingleInstance, AnotherUsersLockFileLetsTheProgramRun) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", temp.Path().c_str());
  LockHolder other;
  ASSERT_TRUE(other.Held());
  const std::string lockFile = temp.Path("HISNAMEISZK");
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(lockFile.c_str(), 65534, 65534), 0);
  } else {
    ASSERT_EQ(::chmod(lockFile.c_str(), 0), 0);
  }
  const TSingleInstanceLock lock = TSingleInstanceLock::TryAcquire();
  EXPECT_FALSE(lock.AnotherInstanceRuns());
  EXPECT_FALSE(lock.Held());
}

TEST(SingleInstance, HandOverSocketLiesBesideTheLock) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", temp.Path().c_str());
  EXPECT_EQ(TSingleInstanceLock::HandOverSocketPath(), temp.Path("HISNAMEISZK.socket"));
}

// Whether this process takes the peer of a connection made by a process of `uid` for its own user;
// nothing when that process could not connect (a folder on the way it may not pass).
std::optional<bool> ConnectionFromUserIsSameUser(const std::string& socketPath, uid_t uid) {
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::chmod(socketPath.c_str(), 0777) != 0 || ::listen(listener, 1) != 0)
    std::abort();
  const pid_t child = ::fork();
  if (child == 0) {
    if (uid != ::geteuid() && ::setuid(uid) != 0) ::_exit(1);
    const int connection = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ::_exit(::connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? 0 : 1);
  }
  // The connection waits in the listener's backlog after the child has ended.
  int status = 0;
  ::waitpid(child, &status, 0);
  std::optional<bool> same;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    const int accepted = ::accept(listener, nullptr, nullptr);
    same = PeerIsSameUser(accepted);
    ::close(accepted);
  }
  ::close(listener);
  ::unlink(socketPath.c_str());
  return same;
}

// Only a process of the same user may hand files over or receive them.
TEST(SingleInstance, PeerOfTheSameUserOnly) {
  test::TempFolder temp;
  ::chmod(temp.Path().c_str(), 0755);
  EXPECT_EQ(ConnectionFromUserIsSameUser(temp.Path("same.socket"), ::geteuid()), true);
  EXPECT_FALSE(PeerIsSameUser(-1));
  if (::geteuid() != 0) GTEST_SKIP() << "only root can connect as another user";
  const std::optional<bool> other = ConnectionFromUserIsSameUser(temp.Path("other.socket"), 65534);
  if (!other) GTEST_SKIP() << "user 65534 cannot reach " << temp.Path();
  EXPECT_FALSE(*other);
}

}  // namespace
}  // namespace zk
