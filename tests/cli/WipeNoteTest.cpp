// zkcli's note on stderr where a wipe may leave the old data behind, on real file systems.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <string>

#include "FileStatus.h"
#include "MountedImage.h"
#include "TempFolder.h"
#include "ZkcliProcess.h"
#include "platform/OverwriteReach.h"

namespace zk::test {
namespace {

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(ZkcliWipeNote, OnBtrfsOnceOnStderrAndTheFilesAreStillWiped) {
  std::string whyNot;
  const std::unique_ptr<MountedImage> image = MountedImage::Mount("btrfs", whyNot);
  if (!image) GTEST_SKIP() << whyNot;
  TempFolder folder;
  const std::string a = image->Path() + "a.txt";
  const std::string b = image->Path() + "b.txt";
  for (const std::string& path : {a, b}) std::fclose(std::fopen(path.c_str(), "w"));

  const ZkcliResult result = RunZkcli({"wipe", "--yes", a, b}, folder.Path());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "抹消成功 : " + a + "\n抹消成功 : " + b + "\n");  // the lines scripts parse
  EXPECT_EQ(CountOf(result.err, "\n"), 1u) << result.err;
  EXPECT_EQ(result.err.rfind("zkcli: note: " + a + ": btrfs is a copy-on-write file system", 0), 0u)
      << result.err;
  EXPECT_NE(result.err.find("full-disk encryption"), std::string::npos);
  EXPECT_FALSE(Exists(a));
  EXPECT_FALSE(Exists(b));
}

TEST(ZkcliWipeNote, TheSourceWipeOfAnEncryptionTellsToo) {
  std::string whyNot;
  const std::unique_ptr<MountedImage> image = MountedImage::Mount("btrfs", whyNot);
  if (!image) GTEST_SKIP() << whyNot;
  TempFolder folder;
  const std::string plain = image->Path() + "plain.txt";
  std::fclose(std::fopen(plain.c_str(), "w"));

  const ZkcliResult kept = RunZkcli({"encrypt", "-p", "correct horse battery staple", plain}, folder.Path());
  EXPECT_EQ(kept.err, "");  // nothing is wiped, nothing to tell
  const ZkcliResult wiped =
      RunZkcli({"encrypt", "-p", "correct horse battery staple", "--naming", "random", "--wipe-source", plain},
               folder.Path());
  EXPECT_EQ(wiped.exitCode, 0);
  EXPECT_EQ(CountOf(wiped.err, "zkcli: note: " + plain + ": btrfs"), 1u) << wiped.err;
  EXPECT_FALSE(Exists(plain));
}

class ZkcliWipeInPlace : public ::testing::TestWithParam<std::string> {};

TEST_P(ZkcliWipeInPlace, NoNoteWhereTheOverwriteReachesTheData) {
  std::string whyNot;
  const std::unique_ptr<MountedImage> image = MountedImage::Mount(GetParam(), whyNot);
  if (!image) GTEST_SKIP() << whyNot;
  const std::string file = image->Path() + "a.txt";
  std::fclose(std::fopen(file.c_str(), "w"));
  struct stat status {};
  ASSERT_EQ(::stat(file.c_str(), &status), 0);
  if (DeviceIsRotational("/sys", major(status.st_dev), minor(status.st_dev)) == false)
    GTEST_SKIP() << "the image lies on flash storage, which has a note of its own";

  TempFolder folder;
  const ZkcliResult result = RunZkcli({"wipe", "--yes", file}, folder.Path());
  EXPECT_EQ(result.out, "抹消成功 : " + file + "\n");
  EXPECT_EQ(result.err, "");
  EXPECT_FALSE(Exists(file));
}

INSTANTIATE_TEST_SUITE_P(Mounted, ZkcliWipeInPlace, ::testing::Values("ext4", "tmpfs"));

}  // namespace
}  // namespace zk::test
