#include "shell/PathIntake.h"

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
  std::vector<std::string> files;
  for (const std::string& path : finder.Files())
    if ((FileAttributes(path) & kAttrDirectory) == 0) files.push_back(path);
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
