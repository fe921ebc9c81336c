#include <gtest/gtest.h>

#include "platform/ExecutableFolder.h"
#include "platform/FileInfo.h"
#include "platform/Paths.h"
#include "platform/Random.h"

namespace zk {
namespace {

TEST(Paths, SplitsPaths) {
  struct Case {
    const char* path;
    const char* folder;
    const char* last;
    const char* extension;
  } cases[] = {
      {"/home/u/a.txt", "/home/u/", "a.txt", ".txt"},
      {"/home/u.d/noext", "/home/u.d/", "noext", ""},
      {"/a/b.tar.gz", "/a/", "b.tar.gz", ".gz"},
      {"/a/.bashrc", "/a/", ".bashrc", ".bashrc"},
      {"/a/dot.", "/a/", "dot.", "."},
      {"plain", "", "plain", ""},
      {"/a/", "/a/", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(LastComponent(c.path), c.last) << c.path;
    EXPECT_EQ(OwnExtension(c.path), c.extension) << c.path;
  }
}

TEST(Paths, FoldsOnlyAsciiLetters) {
  EXPECT_EQ(UpperAscii("abz.AZ09_é漢"), "ABZ.AZ09_é漢");
  EXPECT_TRUE(EqualIgnoringAsciiCase("/Tmp/File.ENC", "/tmp/file.enc"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("/tmp/é", "/tmp/É"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("/tmp/a", "/tmp/a/"));
}

TEST(ExecutableFolder, HoldsThisTestProgram) {
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(FileAttributes(folder), kAttrDirectory);
  EXPECT_TRUE(FileExists(folder + "test_platform"));
}

TEST(Random, StaysWithinBoundsAndReachesEveryValue) {
  for (int n : {-5, 0, 1}) EXPECT_EQ(RandomBelow(n), 0);
  int seen[3] = {};
  for (int i = 0; i < 600; ++i) {
    const int value = RandomBelow(3);
    ASSERT_GE(value, 0);
    ASSERT_LT(value, 3);
    ++seen[value];
  }
  for (int count : seen) EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace zk
