#include "platform/FolderNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>

namespace zk {

TFolderNames ReadFolderNames(const std::string& folder) {
  const std::unique_ptr<DIR, int (*)(DIR*)> stream(::opendir(folder.c_str()), ::closedir);
  if (!stream) {
    const bool gone = errno == ENOENT || errno == ENOTDIR;
    return {gone ? TFolderRead::kGone : TFolderRead::kUnreadable, {}};
  }
  // Names that can be read but not reached (no search permission) would be left out one by one.
  if (::faccessat(::dirfd(stream.get()), ".", X_OK, AT_EACCESS) != 0) return {TFolderRead::kUnreadable, {}};
  const size_t prefix = folder.size() + (folder.ends_with('/') ? 0 : 1);
  std::vector<std::string> names;
  for (;;) {
    errno = 0;
    const dirent* item = ::readdir(stream.get());
    if (item == nullptr) {
      if (errno != 0) return {TFolderRead::kUnreadable, {}};
      break;
    }
    const std::string_view name = item->d_name;
    if (name == "." || name == "..") continue;
    if (prefix + name.size() >= PATH_MAX) return {TFolderRead::kUnreadable, {}};
    names.emplace_back(name);
  }
  std::sort(names.begin(), names.end());
  return {TFolderRead::kRead, std::move(names)};
}

}  // namespace zk
