// How paths handed to the program (dialog, drop, command line) become the files of a batch.
#pragma once

#include <string>
#include <vector>

#include "shell/FindFile.h"

namespace zk {

// The main window's finder: every name, every attribute but volume labels, subfolders when `recurse`.
TFindFile MakeIntakeFinder(bool recurse);

// The rows of one folder as `finder` finds them: its files, each read anew (entries that cannot be examined
// any more are dropped), and, as entries of their own that the batch reports instead of working on them,
// the links to folders inside it (never entered) and the folders that could not be read, each in its
// place in the listing. Folders themselves are dropped.
std::vector<std::string> ExpandFolder(TFindFile& finder, const std::string& folder);

// Main window intake: a path with the folder bit (a folder or a link to one, which then stands for its
// folder; also a path that cannot be examined, which then expands to nothing) is expanded, anything else
// is taken unchanged. Order is kept.
std::vector<std::string> CollectFiles(TFindFile& finder, const std::vector<std::string>& paths);
std::vector<std::string> CollectFiles(const std::vector<std::string>& paths, bool recurse);

// Wipe-bin intake: a path is expanded only when its attribute word is exactly the folder bit (a link to a
// folder too); a hidden or read-only folder and a path that cannot be examined are taken unchanged (the
// wipe then reports them).
std::vector<std::string> CollectWipeBinFiles(TFindFile& finder, const std::vector<std::string>& paths);

}  // namespace zk
