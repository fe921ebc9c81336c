// Whether overwriting a file in place can reach the blocks that hold its old data. Copy-on-write and
// log-structured file systems write every change to new blocks, an overlay may keep the original in a
// lower layer, a network file system keeps the data on another machine, and flash storage remaps what is
// written (wear levelling): in each case the old data may survive a wipe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace zk {

enum class TOverwriteDoubt { kNone, kCopyOnWrite, kLogStructured, kOverlay, kNetwork, kFlash };

struct TOverwriteReach {
  TOverwriteDoubt Doubt = TOverwriteDoubt::kNone;
  std::string FileSystem;     // its usual name ("btrfs"), empty when none is known
  uint64_t FileSystemId = 0;  // the device number: files with the same id lie on the same file system
};

// Asks the file system of `path` (statfs) and, where it writes in place, whether the block device under
// it is non-rotational. A path that cannot be asked gives kNone: nothing is claimed about what is unknown.
TOverwriteReach OverwriteReachOf(const std::string& path);

// The doubt that the file system type (statfs f_type) alone gives, with the type's name.
std::pair<TOverwriteDoubt, std::string_view> FileSystemDoubt(uint64_t type);

// Whether the block device major:minor is rotational, as sysfs below `sysfsRoot` ("/sys") tells it; a
// partition answers for its disk. Empty when sysfs does not know the device (tmpfs, btrfs, a network).
std::optional<bool> DeviceIsRotational(const std::string& sysfsRoot, unsigned major, unsigned minor);

}  // namespace zk
