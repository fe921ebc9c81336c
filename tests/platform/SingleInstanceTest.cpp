#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

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
      const SingleInstanceLock lock = SingleInstanceLock::TryAcquire();
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
  std::optional<SingleInstanceLock> first = SingleInstanceLock::TryAcquire();
  ASSERT_TRUE(first->Held());
  EXPECT_FALSE(first->AnotherInstanceRuns());
  EXPECT_EQ(first->LockPath(), temp.Path("HISNAMEISZK"));
  EXPECT_TRUE(SingleInstanceLock::TryAcquire().AnotherInstanceRuns());

  std::optional<SingleInstanceLock> moved = std::move(first);
  first.reset();
  EXPECT_TRUE(SingleInstanceLock::TryAcquire().AnotherInstanceRuns());  // the moved-to object still holds it
  moved.reset();
  EXPECT_TRUE(SingleInstanceLock::TryAcquire().Held());
}

TEST(SingleInstance, LockOfARunningProcessRefusesAndItsStaleFileDoesNot) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", temp.Path().c_str());
  LockHolder other;
  ASSERT_TRUE(other.Held());
  const SingleInstanceLock refused = SingleInstanceLock::TryAcquire();
  EXPECT_TRUE(refused.AnotherInstanceRuns());
  EXPECT_FALSE(refused.Held());

  other.End();  // its lock file stays behind
  const SingleInstanceLock after = SingleInstanceLock::TryAcquire();
  EXPECT_TRUE(after.Held());
  EXPECT_FALSE(after.AnotherInstanceRuns());
}

TEST(SingleInstance, WithoutRuntimeFolderUsesTheTempFolderWithTheUserId) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", nullptr);
  ScopedEnvironment tmp("TMPDIR", temp.Path().c_str());
  const SingleInstanceLock lock = SingleInstanceLock::TryAcquire("ZKTEST");
  ASSERT_TRUE(lock.Held());
  EXPECT_EQ(lock.LockPath(), temp.Path("ZKTEST-" + std::to_string(::getuid())));
  EXPECT_TRUE(SingleInstanceLock::TryAcquire("ZKTEST").AnotherInstanceRuns());
}

// A lock that cannot be made is no sign of another instance: the program runs without one.
TEST(SingleInstance, UnusableLockFolderLetsTheProgramRun) {
  test::TempFolder temp;
  const std::string notAFolder = temp.WriteFile("not-a-folder");
  for (const std::string& folder : {temp.Path("missing"), notAFolder}) {
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", folder.c_str());
    const SingleInstanceLock lock = SingleInstanceLock::TryAcquire();
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
  const SingleInstanceLock lock = SingleInstanceLock::TryAcquire();
  EXPECT_FALSE(lock.AnotherInstanceRuns());
  EXPECT_FALSE(lock.Held());
}

}  // namespace
}  // namespace zk
