#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>

#include "MountedImage.h"
#include "TempFolder.h"
#include "platform/OverwriteReach.h"

namespace zk {
namespace {

using test::MountedImage;
using test::TempFolder;

// The numbers as statfs(2) lists them, written out here rather than taken from the header the code uses.
TEST(OverwriteReach, FileSystemTypesAndTheirDoubts) {
  const struct {
    uint64_t type;
    TOverwriteDoubt doubt;
    std::string_view name;
  } cases[] = {
      {0x9123683E, TOverwriteDoubt::kCopyOnWrite, "btrfs"},
      {0x2FC12FC1, TOverwriteDoubt::kCopyOnWrite, "ZFS"},
      {0xF2F52010, TOverwriteDoubt::kLogStructured, "F2FS"},
      {0x3434, TOverwriteDoubt::kLogStructured, "NILFS"},
      {0x794C7630, TOverwriteDoubt::kOverlay, "overlayfs"},
      {0x6969, TOverwriteDoubt::kNetwork, "NFS"},
      {0xFF534D42, TOverwriteDoubt::kNetwork, "CIFS"},
      {0xFE534D42, TOverwriteDoubt::kNetwork, "SMB2"},
      {0x65735546, TOverwriteDoubt::kNetwork, "FUSE"},
      {0xEF53, TOverwriteDoubt::kNone, "ext4"},
      {0x58465342, TOverwriteDoubt::kNone, "XFS"},
      {0x01021994, TOverwriteDoubt::kNone, "tmpfs"},
      {0x4D44, TOverwriteDoubt::kNone, ""},  // vfat: in place, and no name needed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    const auto [doubt, name] = FileSystemDoubt(c.type);
    EXPECT_EQ(doubt, c.doubt);
    EXPECT_EQ(name, c.name);
  }
}

// A small sysfs: a rotational disk with a partition, a flash disk with a partition, and a device whose
// folder has no queue (as a device-mapper child without one would).
class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    Disk("sda", "8:0", true);
    Partition("sda", "sda1", "8:1");
    Disk("nvme0n1", "259:0", false);
    Partition("nvme0n1", "nvme0n1p2", "259:2");
    Sys.MakeFolder("devices/virtual/block/odd");
    Link("devices/virtual/block/odd", "7:9");
  }

  void Disk(const std::string& name, const std::string& number, bool rotational) {
    Sys.MakeFolder("devices/pci/block/" + name + "/queue");
    Sys.WriteFile("devices/pci/block/" + name + "/queue/rotational", rotational ? "1\n" : "0\n");
    Link("devices/pci/block/" + name, number);
  }
  void Partition(const std::string& disk, const std::string& name, const std::string& number) {
    Sys.MakeFolder("devices/pci/block/" + disk + "/" + name);
    Sys.WriteFile("devices/pci/block/" + disk + "/" + name + "/partition", "1\n");
    Link("devices/pci/block/" + disk + "/" + name, number);
  }
  void Link(const std::string& target, const std::string& number) {
    Sys.MakeFolder("dev/block");
    std::filesystem::create_symlink("../../" + target, Sys.Path("dev/block/" + number));
  }

  TempFolder Sys;
};

// 7:9 has no queue: unknown, not flash; 0:41 is no block device at all (btrfs, tmpfs).
TEST_F(FakeSysfs, PartitionsAnswerForTheirDisk) {
  const struct {
    unsigned major, minor;
    std::optional<bool> rotational;
  } cases[] = {{8, 0, true},    {8, 1, true},         {259, 0, false},
               {259, 2, false}, {7, 9, std::nullopt}, {0, 41, std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.major) + ":" + std::to_string(c.minor));
    EXPECT_EQ(DeviceIsRotational(Sys.Path(), c.major, c.minor), c.rotational);
  }
}

TEST(OverwriteReach, AMissingPathClaimsNothing) {
  TempFolder folder;
  EXPECT_EQ(OverwriteReachOf(folder.Path("missing")).Doubt, TOverwriteDoubt::kNone);
}

// The real thing: a file on a mounted file system of each kind.
class RealFileSystem : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string whyNot;
    image_ = MountedImage::Mount(GetParam(), whyNot);
    if (!image_) GTEST_SKIP() << whyNot;
    File = image_->Path() + "a.txt";
    FILE* out = std::fopen(File.c_str(), "w");
    ASSERT_NE(out, nullptr);
    std::fclose(out);
    ASSERT_EQ(::stat(File.c_str(), &Status), 0);
  }

  std::unique_ptr<MountedImage> image_;
  std::string File;
  struct stat Status {};
};

TEST_P(RealFileSystem, NamesTheFileSystemAndItsDoubt) {
  const TOverwriteReach reach = OverwriteReachOf(File);
  EXPECT_EQ(reach.FileSystemId, Status.st_dev);
  EXPECT_EQ(reach.FileSystem, GetParam());
  TOverwriteDoubt expected = TOverwriteDoubt::kNone;
  if (GetParam() == "btrfs") expected = TOverwriteDoubt::kCopyOnWrite;
  // ext4 lies on a loop device, which is flash when the image's own disk is.
  if (GetParam() == "ext4" && DeviceIsRotational("/sys", major(Status.st_dev), minor(Status.st_dev)) == false)
    expected = TOverwriteDoubt::kFlash;
  EXPECT_EQ(reach.Doubt, expected);
}

INSTANTIATE_TEST_SUITE_P(Mounted, RealFileSystem, ::testing::Values("btrfs", "ext4", "tmpfs"));

}  // namespace
}  // namespace zk
