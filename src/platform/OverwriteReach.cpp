#include "platform/OverwriteReach.h"

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

namespace zk {
namespace {

// Types that the kernel's header does not name: they come from file systems built outside it.
constexpr uint64_t kZfsMagic = 0x2FC12FC1;
constexpr uint64_t kBcachefsMagic = 0xCA451A4E;
constexpr uint64_t kUbifsMagic = 0x24051905;

struct TKnownFileSystem {
  uint64_t Type;
  std::string_view Name;
  TOverwriteDoubt Doubt;
};

constexpr TKnownFileSystem kKnownFileSystems[] = {
    {BTRFS_SUPER_MAGIC, "btrfs", TOverwriteDoubt::kCopyOnWrite},
    {kZfsMagic, "ZFS", TOverwriteDoubt::kCopyOnWrite},
    {kBcachefsMagic, "bcachefs", TOverwriteDoubt::kCopyOnWrite},
    {F2FS_SUPER_MAGIC, "F2FS", TOverwriteDoubt::kLogStructured},
    {NILFS_SUPER_MAGIC, "NILFS", TOverwriteDoubt::kLogStructured},
    {JFFS2_SUPER_MAGIC, "JFFS2", TOverwriteDoubt::kLogStructured},
    {kUbifsMagic, "UBIFS", TOverwriteDoubt::kLogStructured},
    {OVERLAYFS_SUPER_MAGIC, "overlayfs", TOverwriteDoubt::kOverlay},
    {NFS_SUPER_MAGIC, "NFS", TOverwriteDoubt::kNetwork},
    {SMB_SUPER_MAGIC, "SMB", TOverwriteDoubt::kNetwork},
    {CIFS_SUPER_MAGIC, "CIFS", TOverwriteDoubt::kNetwork},
    {SMB2_SUPER_MAGIC, "SMB2", TOverwriteDoubt::kNetwork},
    {CEPH_SUPER_MAGIC, "Ceph", TOverwriteDoubt::kNetwork},
    {AFS_SUPER_MAGIC, "AFS", TOverwriteDoubt::kNetwork},
    {AFS_FS_MAGIC, "AFS", TOverwriteDoubt::kNetwork},
    {CODA_SUPER_MAGIC, "Coda", TOverwriteDoubt::kNetwork},
    {V9FS_MAGIC, "9p", TOverwriteDoubt::kNetwork},
    // FUSE may be anything from sshfs to a local disk; where the data lands is beyond this program's sight.
    {FUSE_SUPER_MAGIC, "FUSE", TOverwriteDoubt::kNetwork},
    {EXT4_SUPER_MAGIC, "ext4", TOverwriteDoubt::kNone},  // also ext2 and ext3
    {XFS_SUPER_MAGIC, "XFS", TOverwriteDoubt::kNone},
    {TMPFS_MAGIC, "tmpfs", TOverwriteDoubt::kNone},
};

std::optional<bool> ReadFlag(const std::filesystem::path& file) {
  std::ifstream in(file);
  int value = 0;
  if (!(in >> value)) return std::nullopt;
  return value != 0;
}

// sysfs is read once for each device: a wipe list may hold many thousands of files on a few disks.
std::optional<bool> RotationalOnce(dev_t device) {
  static std::mutex mutex;
  static std::map<dev_t, std::optional<bool>> known;
  const std::lock_guard lock(mutex);
  const auto [entry, isNew] = known.try_emplace(device);
  if (isNew) entry->second = DeviceIsRotational("/sys", ::major(device), ::minor(device));
  return entry->second;
}

}  // namespace

std::pair<TOverwriteDoubt, std::string_view> FileSystemDoubt(uint64_t type) {
  for (const TKnownFileSystem& known : kKnownFileSystems)
    if (known.Type == type) return {known.Doubt, known.Name};
  return {TOverwriteDoubt::kNone, {}};
}

std::optional<bool> DeviceIsRotational(const std::string& sysfsRoot, unsigned major, unsigned minor) {
  namespace fs = std::filesystem;
  std::error_code error;
  // /sys/dev/block/MAJ:MIN links to the device's folder; a partition's folder lies inside its disk's.
  const fs::path device = fs::canonical(
      fs::path(sysfsRoot) / "dev/block" / (std::to_string(major) + ":" + std::to_string(minor)), error);
  if (error) return std::nullopt;
  if (std::optional<bool> rotational = ReadFlag(device / "queue/rotational")) return rotational;
  if (fs::exists(device / "partition", error)) return ReadFlag(device.parent_path() / "queue/rotational");
  return std::nullopt;
}

TOverwriteReach OverwriteReachOf(const std::string& path) {
  struct statfs fileSystem {};
  struct stat status {};
  if (::statfs(path.c_str(), &fileSystem) != 0 || ::stat(path.c_str(), &status) != 0) return {};
  const auto [doubt, name] = FileSystemDoubt(static_cast<uint64_t>(fileSystem.f_type));
  TOverwriteReach reach{doubt, std::string(name), static_cast<uint64_t>(status.st_dev)};
  if (doubt == TOverwriteDoubt::kNone && RotationalOnce(status.st_dev) == false)
    reach.Doubt = TOverwriteDoubt::kFlash;
  return reach;
}

}  // namespace zk
