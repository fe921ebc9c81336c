#include "cli/InputFiles.h"

#include <fstream>
#include <iostream>

#include "platform/FileInfo.h"
#include "shell/PathIntake.h"

namespace zk::cli {
namespace {

bool IsFolder(const std::string& path) {
  const uint32_t attributes = FileAttributes(path);
  return attributes != kAttrInvalid && (attributes & kAttrDirectory);
}

// The names of a --files-from list, each ended by a newline or, with -0, by NUL (the last one may lack
// it); empty names are skipped.
std::vector<std::string> ReadPathList(const std::string& listPath, bool nullSeparated) {
  std::ifstream file;
  if (listPath != "-") {
    file.open(listPath, std::ios::binary);
    if (!file) throw EUsageError("cannot read the list of files " + listPath);
  }
  std::istream& input = listPath == "-" ? std::cin : file;
  std::vector<std::string> paths;
  for (std::string name; std::getline(input, name, nullSeparated ? '\0' : '\n');)
    if (!name.empty()) paths.push_back(std::move(name));
  return paths;
}

std::vector<std::string> GivenPaths(const TCommandLine& line) {
  std::vector<std::string> paths = line.paths;
  if (line.filesFrom) {
    std::vector<std::string> listed = ReadPathList(*line.filesFrom, line.nullSeparated);
    paths.insert(paths.end(), std::make_move_iterator(listed.begin()), std::make_move_iterator(listed.end()));
  }
  return paths;
}

}  // namespace

std::vector<std::string> CollectInputFiles(const TCommandLine& line, TMissingPaths missing) {
  const std::vector<std::string> paths = GivenPaths(line);
  if (missing == TMissingPaths::kRefused)
    for (const std::string& path : paths)
      if (FileAttributes(path) == kAttrInvalid) throw EUsageError("no such file or folder: " + path);
  if (line.output) {
    if (IsFolder(line.paths.front()))
      throw EUsageError("-o takes a single file, not the folder " + line.paths.front());
    if (IsFolder(*line.output)) throw EUsageError("-o names a folder: " + *line.output);
  }
  // The intake would expand a path it cannot examine, into nothing; a kept one stays as it is.
  TFindFile finder = MakeIntakeFinder(line.recurse);
  std::vector<std::string> files;
  for (const std::string& path : paths) {
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
