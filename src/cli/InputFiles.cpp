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

std::vector<std::string> CollectInputFiles(const CommandLine& line) {
  for (const std::string& path : line.paths)
    if (FileAttributes(path) == kAttrInvalid) throw UsageError("no such file or folder: " + path);
  if (line.output) {
    if (IsFolder(line.paths.front()))
      throw UsageError("-o takes a single file, not the folder " + line.paths.front());
    if (IsFolder(*line.output)) throw UsageError("-o names a folder: " + *line.output);
  }
  return CollectFiles(line.paths, line.recurse);
}

}  // namespace zk::cli
