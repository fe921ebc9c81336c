#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/SingleInstance.h"
#include "TempFolder.h"

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

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", temp.Path().c_str());
  std::optional<SingleInstanceLock> first = SingleInstanceLock::TryAcquire();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->LockPath(), temp.Path("HISNAMEISZK"));
  EXPECT_FALSE(SingleInstanceLock::TryAcquire().has_value());

  std::optional<SingleInstanceLock> moved = std::move(first);
  first.reset();
  EXPECT_FALSE(SingleInstanceLock::TryAcquire().has_value());  // the moved-to object still holds it
  moved.reset();
  EXPECT_TRUE(SingleInstanceLock::TryAcquire().has_value());
}

TEST(SingleInstance, WithoutRuntimeFolderUsesTheTempFolderWithTheUserId) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", nullptr);
  ScopedEnvironment tmp("TMPDIR", temp.Path().c_str());
  std::optional<SingleInstanceLock> lock = SingleInstanceLock::TryAcquire("ZKTEST");
  ASSERT_TRUE(lock.has_value());
  EXPECT_EQ(lock->LockPath(), temp.Path("ZKTEST-" + std::to_string(::getuid())));
  EXPECT_FALSE(SingleInstanceLock::TryAcquire("ZKTEST").has_value());
}

TEST(SingleInstance, UnusableFolderGivesNoLock) {
  test::TempFolder temp;
  ScopedEnvironment runtime("XDG_RUNTIME_DIR", temp.WriteFile("not-a-folder").c_str());
  EXPECT_FALSE(SingleInstanceLock::TryAcquire().has_value());
}

}  // namespace
}  // namespace zk
