#include "platform/FileInfo.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/Paths.h"

namespace zk {

TEntryStatus QueryEntry(const std::string& path) {
  struct stat info;
  if (path.empty() || ::lstat(path.c_str(), &info) != 0) return {kAttrInvalid, 0};
  const bool link = S_ISLNK(info.st_mode);
  struct stat target;
  const bool linkToFolder = link && ::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
  uint32_t attributes = 0;
  if (S_ISDIR(info.st_mode) || linkToFolder) {
    attributes |= kAttrDirectory;
  } else {
    attributes |= kAttrArchive;
  }
  if (!link && (info.st_mode & S_IWUSR) == 0) attributes |= kAttrReadOnly;
  // A trailing "/" would leave an empty last component; the folder's own name decides.
  std::string_view trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.remove_suffix(1);
  std::string name = LastComponent(trimmed);
  if (!name.empty() && name[0] == '.' && name != "." && name != "..") attributes |= kAttrHidden;
  return {attributes, S_ISREG(info.st_mode) ? static_cast<int64_t>(info.st_size) : 0, link};
}

uint32_t FileAttributes(const std::string& path) { return QueryEntry(path).attributes; }

bool IsReadOnlyFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

int64_t QueryFileSize(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return -1;
  return static_cast<int64_t>(info.st_size);
}

bool FileExists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

TFileKind FileKindOf(const std::string& path, bool followLinks) {
  struct stat info;
  const int status = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
  if (status != 0) return TFileKind::kMissing;
  if (S_ISREG(info.st_mode)) return TFileKind::kRegular;
  if (S_ISLNK(info.st_mode)) return TFileKind::kSymbolicLink;
  return TFileKind::kOther;
}

std::optional<uint32_t> PermissionBitsOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return info.st_mode & 0777;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

std::optional<TFileIdentity> IdentityOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return TFileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

std::string LinkTarget(const std::string& path) {
  if (FileKindOf(path, false) != TFileKind::kSymbolicLink) return {};
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return {};
  std::string target = resolved;
  ::free(resolved);
  return target;
}

}  // namespace zk
