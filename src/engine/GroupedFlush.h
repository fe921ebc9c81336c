// Many small outputs reach the disk far sooner together than one after another: one flush of their file
// system (syncfs) instead of one fsync per file.
#pragma once

#include <vector>

#include "BatchRules.h"

namespace zk {

// Before the first row's output is named: when it is not on the disk yet, flushes it with the outputs of the
// other rows not on the disk yet (each file system once) and marks them flushed. Where that fails nothing is
// marked, and each output is flushed alone when it is named (TPendingOutput::MoveTo).
void FlushTogether(const std::vector<TPreparedRow*>& rows);

}  // namespace zk
