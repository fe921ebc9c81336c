// The walk over the files of an encryption, decryption or wipe: the progress bar names the files at work,
// their result lines follow on stdout in list order.
#pragma once

#include <string>
#include <vector>

#include "cli/Console.h"
#include "cli/OverwriteNotes.h"
#include "cli/ResultOutput.h"
#include "engine/BatchRules.h"

namespace zk::cli {

// Runs the batch of `files` in `mode` with `options` on `jobs` files at once (0: as many as the process has
// cores; the rows keep the results and names of a run on one core), and tells `output` each row's result
// in list order. With wipeNotes, their notes are told before the files' wipes (for several at once, all
// before the first row). Returns kExitSuccess, or kExitSomeFailed when any row failed.
int RunBatch(TBatchMode mode, const std::vector<std::string>& files, const TBatchOptions& options,
             TConsole& console, TResultOutput& output, int jobs, TFileEngine& engine,
             TOverwriteNotes* wipeNotes);

}  // namespace zk::cli
