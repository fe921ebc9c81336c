// The files a command works on: the paths of the command line with folders expanded as the desktop program
// does (subfolders unless --no-recurse; links to folders are never entered).
#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace zk::cli {

// Throws UsageError, before anything is done, for a path that does not exist and for a folder given where
// a single file is needed (the input or the output of -o).
std::vector<std::string> CollectInputFiles(const CommandLine& line);

}  // namespace zk::cli
