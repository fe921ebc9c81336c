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

// Names are cut at whole UTF-8 characters (漢 is 3 bytes), keeping the extension where it fits.
TEST(Paths, FitsNamesIntoABytesLimit) {
  struct Case {
    std::string name;
    size_t limit;
    std::string fitted;
  } cases[] = {
      {"short.txt", 255, "short.txt"},
      {"abcdef.txt", 8, "abcd.txt"},
      {"漢字漢字.txt", 13, "漢字漢.txt"},
      {"漢字漢字.txt", 12, "漢字.txt"},  // 8 bytes left for the base: two whole characters, not 2.67
      {"漢字漢字", 7, "漢字"},
      {"ab.verylongextension", 6, "ab.ver"},  // an extension that does not fit is cut with the rest
      {".hidden", 4, ".hid"},
      {std::string("\x82\xa0\x82\xa2.txt"), 7, std::string("\x82\xa0\x82.txt")},  // not UTF-8: bytes
  };
  for (const Case& c : cases) EXPECT_EQ(FitFileName(c.name, c.limit), c.fitted) << c.name << " " << c.limit;
  EXPECT_EQ(Utf8Prefix("aé漢", 3), "aé");
  EXPECT_EQ(Utf8Prefix("aé漢", 5), "aé");
  EXPECT_EQ(Utf8Prefix("aé漢", 6), "aé漢");
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
