// Rows that a folder search gives besides files to work on: a link to a folder inside the searched folder
// (never entered), a folder that could not be read, and the unfinished output of an interrupted run. The
// batch holds plain paths, so a row learns what it is from the path itself, at the start of its run.
#pragma once

#include <optional>
#include <string>

#include "BatchRules.h"
#include "ResultTexts.h"

namespace zk {

// The result of a row whose path is not a file for `mode` to work on, or nothing for one that is:
// - a link to a folder: not followed in an encryption or decryption; a wipe goes on and removes the link
//   only (a link given directly was expanded by the intake and never reaches a row);
// - a folder that cannot be read, or not in full: kFolderUnreadable. A folder that can be read is left to
//   the operation, which refuses it as before (the wipe bin takes a hidden or read-only folder as a file);
// - a name with the unfinished mark, to encrypt or decrypt: kUnfinishedFileSkipped, and nothing is done to
//   it (a wipe takes it as any file).
std::optional<TResultKind> SearchEntryVerdict(TBatchMode mode, const std::string& path);

}  // namespace zk
