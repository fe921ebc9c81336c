#include "shell/PathIntake.h"

#include <algorithm>

#include "platform/FileInfo.h"

namespace zk {

TFindFile MakeIntakeFinder(bool recurse) {
  TFindFile finder;
  finder.Filter = "*.*";
  finder.Attributes = {ffReadOnly, ffHidden, ffSystem, ffDirectory, ffArchive};
  finder.Recurse = recurse;
  return finder;
}

std::vector<std::string> ExpandFolder(TFindFile& finder, const std::string& folder) {
  finder.Directory = folder;
  finder.Execute();
  std::vector<std::string> unreadable = finder.UnreadableFolders();
  auto takeUnreadable = [&](const std::string& path) {
    const auto found = std::find(unreadable.begin(), unreadable.end(), path);
    if (found == unreadable.end()) return false;
    unreadable.erase(found);
    return true;
  };
  std::vector<std::string> files;
  for (size_t i = 0; i < finder.Files().size(); ++i) {
    const std::string& path = finder.Files()[i];
    const TEntryStatus& entry = finder.Statuses()[i];
    if (takeUnreadable(path) || (entry.attributes & kAttrDirectory) == 0 || entry.link) files.push_back(path);
  }
  // The searched folder itself, or any other the finder did not list as an entry.
  files.insert(files.end(), unreadable.begin(), unreadable.end());
  return files;
}

namespace {

template <typename IsFolder>
std::vector<std::string> Collect(TFindFile& finder, const std::vector<std::string>& paths,
                                 IsFolder isFolder) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    if (isFolder(FileAttributes(path))) {
      std::vector<std::string> found = ExpandFolder(finder, path);
      files.insert(files.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    } else {
      files.push_back(path);
    }
  }
  return files;
}

}  // namespace

std::vector<std::string> CollectFiles(TFindFile& finder, const std::vector<std::string>& paths) {
  return Collect(finder, paths, [](uint32_t attributes) { return (attributes & kAttrDirectory) != 0; });
}

std::vector<std::string> CollectFiles(const std::vector<std::string>& paths, bool recurse) {
  TFindFile finder = MakeIntakeFinder(recurse);
  return CollectFiles(finder, paths);
}

std::vector<std::string> CollectWipeBinFiles(TFindFile& finder, const std::vector<std::string>& paths) {
  return Collect(finder, paths, [](uint32_t attributes) { return attributes == kAttrDirectory; });
}

}  // namespace zk
