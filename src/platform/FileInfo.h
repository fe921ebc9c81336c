// Windows-style attribute words and sizes, read without opening the file.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace zk {

enum TFileAttribute : uint32_t {
  kAttrReadOnly = 1,
  kAttrHidden = 2,
  kAttrSystem = 4,
  kAttrVolumeId = 8,
  kAttrDirectory = 16,
  kAttrArchive = 32,
};
// Returned when the path cannot be examined; note that it has every bit set, the folder bit included.
inline constexpr uint32_t kAttrInvalid = 0xFFFFFFFF;

// From lstat, except that a symbolic link to a folder is a folder, as a file manager shows it; any other
// link is reported like a file, with the archive bit. Read-only = owner write bit clear (not for links);
// hidden = the last component begins with "."; folder = directory; archive = every non-directory.
uint32_t FileAttributes(const std::string& path);

// The attribute word and the size of one directory entry, as a folder listing reports them: size 0 for
// folders and links. {kAttrInvalid, 0} when the path cannot be examined.
struct TEntryStatus {
  uint32_t attributes;
  int64_t size;
  bool link = false;  // a symbolic link (to a folder when the attributes say folder)
};
TEntryStatus QueryEntry(const std::string& path);

// The path exists (links followed) and carries the read-only attribute.
bool IsReadOnlyFile(const std::string& path);

// The permission bits (rwx for owner, group and others) of a file, links followed; none when it is missing.
std::optional<uint32_t> PermissionBitsOf(const std::string& path);

// Size in bytes without opening the file; -1 when missing or a folder.
int64_t QueryFileSize(const std::string& path);

// Any directory entry of that name exists (links not followed, dangling links count).
bool FileExists(const std::string& path);

// What a path names, beyond the attribute word: the engine touches regular files only.
enum class TFileKind { kMissing, kRegular, kSymbolicLink, kOther };

// With followLinks a link reports the kind of its target (kMissing when it dangles).
TFileKind FileKindOf(const std::string& path, bool followLinks);

// Both paths exist and name the same file (device and inode, links followed).
bool SameFile(const std::string& a, const std::string& b);

// What a path finally leads to (links followed), however it is spelled: device and inode.
struct TFileIdentity {
  uint64_t device;
  uint64_t inode;
  auto operator<=>(const TFileIdentity&) const = default;
};
std::optional<TFileIdentity> IdentityOf(const std::string& path);

// The full path, without links, of the file a symbolic link finally leads to; empty when the path is not a
// link or its target does not exist.
std::string LinkTarget(const std::string& path);

}  // namespace zk
