#include "FileKind.h"

#include <sys/stat.h>

namespace zk {

TFileKind FileKindOf(const std::string& path, bool followLinks) {
  struct stat info;
  const int status = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
  if (status != 0) return TFileKind::kMissing;
  if (S_ISREG(info.st_mode)) return TFileKind::kRegular;
  if (S_ISLNK(info.st_mode)) return TFileKind::kSymbolicLink;
  return TFileKind::kOther;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

}  // namespace zk
