// Runs the rows of a batch, one after another or on several threads at once, with the same outcome: the
// same result for every row, delivered in list order, and the same files under the same names.
//
// Every row has two steps (TPreparedRow): its preparation does the heavy work (reading, ciphering, writing
// the output without its final name, flushing it) and changes nothing a user sees; its commit chooses the
// output's final name, gives it, wipes the source and reports the result. Rows are prepared on up to
// `workers` threads at once, each pulling the next rows as it frees up (small rows a few at a time), and
// committed in list order on the calling thread, which is all a run on one thread does too. A row whose
// source is the same file as an earlier row's is prepared only once that row is committed; one whose source
// does not exist when the run starts (an earlier row's output may become it), once every earlier row is.
//
// The keys a batch's rows share (TFileEngine::ForgetKeys) are made once by each engine and forgotten at the
// end of the run.
//
// Bounds: at most kMaxUnfinishedFiles rows are prepared or being prepared and not yet committed; each
// holds an unnamed output and no buffer, so memory is that of `workers` engines, and nothing per row.
//
// Workers never call the caller's observer, and hold back the stop signals, so that a handler removing
// unfinished outputs runs on the calling thread and never interrupts a worker between creating an output
// and entering it in the table (UnfinishedFiles.h). Workers draw nothing from the process-wide random
// generator: random names are drawn in the commit, on the calling thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "BatchRules.h"
#include "Progress.h"

namespace zk {

class TFileEngine;

// What the caller of RunBatchRows sees, always on its own thread, whatever the number of workers.
class TBatchRowsObserver {
 public:
  virtual ~TBatchRowsObserver() = default;
  // The rows first..last (counting from 0) are now in progress; one after another first == last.
  virtual void RowsInProgress(int first, int last) = 0;
  // A row's result, in list order.
  virtual void RowDone(int row, const TRowResult& result) = 0;
  // What the progress line shows: one after another the file at work (its source wipe too) as its engine
  // counts it; on several threads the bytes of the whole batch.
  virtual void Progress(const TProgress& progress) { (void)progress; }
  // Bytes of the whole batch done so far.
  virtual void BatchProgress(int64_t done, int64_t total) { (void)done, (void)total; }
  // The moment to let a window's events through: one after another as often as the engine's
  // ProcessMsgInterval asks, on several threads about 25 times a second.
  virtual void LetEventsThrough() {}
  // Asked after events were let through during a source wipe: true ends that wipe after its current block.
  virtual bool SkipWipesRequested() { return false; }
  // A row's source wipe began or ended (the only time a user may skip the rest of an overwrite).
  virtual void SourceWipeInProgress(bool inProgress) { (void)inProgress; }
};

// Prepares every row below `sources.size()` (the rows' source paths) with prepare(engine, index) and
// commits it (CommitRow) with `engine` on the calling thread. With workers <= 1 or a single row the calling
// thread prepares too, with `engine`, exactly as a plain loop would; otherwise each worker gets a fresh
// engine with engine's ExplicitOutputName. `engine`'s observer belongs to the runner while it runs. A row
// that throws is an unexpected error. An exception from the observer ends the run early and reaches the
// caller: rows not yet begun never start, those begun finish first, and those prepared and not committed
// leave nothing behind.
void RunBatchRows(int workers, TFileEngine& engine, const std::vector<std::string>& sources,
                  const std::function<TPreparedRow(TFileEngine& engine, int row)>& prepare,
                  TBatchRowsObserver& observer);

}  // namespace zk
