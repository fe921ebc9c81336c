// The files a command works on: the paths of the command line with folders and links to folders expanded
// as the desktop program does (subfolders unless --no-recurse).
#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace zk::cli {

// What becomes of a path that does not exist (or cannot be examined): a usage error, or a file of its own
// that the command then reports as failed.
enum class TMissingPaths { kRefused, kKept };

// Throws EUsageError, before anything is done, for a folder given where a single file is needed (the input
// or the output of -o) and, unless kept, for a path that does not exist.
std::vector<std::string> CollectInputFiles(const TCommandLine& line,
                                           TMissingPaths missing = TMissingPaths::kRefused);

}  // namespace zk::cli
