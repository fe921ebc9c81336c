#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TempFolder.h"
#include "platform/FileError.h"
#include "platform/Folders.h"

namespace zk {
namespace {

mode_t ModeOf(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(Folders, CreateWithParentsMakesOnlyWhatIsMissing) {
  test::TempFolder temp;
  const std::string existing = temp.MakeFolder("existing");
  ::chmod(existing.c_str(), 0755);
  CreateFolderWithParents(temp.Path("existing/a/b/"), 0700);
  CreateFolderWithParents(temp.Path("existing/a/b"), 0700);  // all there: nothing to do
  EXPECT_EQ(ModeOf(existing), 0755u);
  EXPECT_EQ(ModeOf(temp.Path("existing/a")), 0700u);
  EXPECT_EQ(ModeOf(temp.Path("existing/a/b")), 0700u);

  temp.WriteFile("file");
  EXPECT_THROW(CreateFolderWithParents(temp.Path("file/a/"), 0700), FileError);
  EXPECT_THROW(CreateFolderWithParents(temp.Path("file"), 0700), FileError);
}

TEST(Folders, AFolderWithoutWritePermissionIsNotWritable) {
  test::TempFolder temp;
  EXPECT_TRUE(IsWritableFolder(temp.Path()));
  const std::string readOnly = temp.MakeFolder("read-only");
  ::chmod(readOnly.c_str(), 0555);
  if (::geteuid() == 0) GTEST_SKIP() << "root may write a folder whatever its mode";
  EXPECT_FALSE(IsWritableFolder(readOnly));
}

TEST(Folders, HomeComesFromTheEnvironmentElseFromTheAccount) {
  const char* saved = ::getenv("HOME");
  const std::string original = saved ? saved : "";
  ::setenv("HOME", "/somewhere/home", 1);
  EXPECT_EQ(HomeFolder(), "/somewhere/home");
  // A relative or empty $HOME is no home: the account's own takes its place.
  for (const char* unusable : {"", "relative"}) {
    ::setenv("HOME", unusable, 1);
    const std::string home = HomeFolder();
    EXPECT_TRUE(home.empty() || home.front() == '/') << home;
  }
  if (saved)
    ::setenv("HOME", original.c_str(), 1);
  else
    ::unsetenv("HOME");
}

}  // namespace
}  // namespace zk
