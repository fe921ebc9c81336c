#include "cli/InputFiles.h"

#include "platform/FileInfo.h"
#include "shell/PathIntake.h"

namespace zk::cli {
namespace {

bool IsFolder(const std::string& path) {
  const uint32_t attributes = FileAttributes(path);
  return attributes != kAttrInvalid && (attributes & kAttrDirectory);
}

}  // namespace

std::vector<std::string> CollectInputFiles(const CommandLine& line, MissingPaths missing) {
  if (missing == MissingPaths::kRefused)
    for (const std::string& path : line.paths)
      if (FileAttributes(path) == kAttrInvalid) throw UsageError("no such file or folder: " + path);
  if (line.output) {
    if (IsFolder(line.paths.front()))
      throw UsageError("-o takes a single file, not the folder " + line.paths.front());
    if (IsFolder(*line.output)) throw UsageError("-o names a folder: " + *line.output);
  }
  // The intake would expand a path it cannot examine, into nothing; a kept one stays as it is.
  TFindFile finder = MakeIntakeFinder(line.recurse);
  std::vector<std::string> files;
  for (const std::string& path : line.paths) {
    if (FileAttributes(path) == kAttrInvalid) {
      files.push_back(path);
      continue;
    }
    std::vector<std::string> found = CollectFiles(finder, {path});
    files.insert(files.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  }
  return files;
}

}  // namespace zk::cli
