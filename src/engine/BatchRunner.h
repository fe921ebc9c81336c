// Runs the rows of a batch, one after another or on several threads at once, with the same outcome: the
// same result for every row, delivered in list order, and the same files under the same names.
//
// On several threads each worker has its own engine and pulls the next row as it frees up, so that one
// huge file does not hold back the small ones. The heavy work (reading, ciphering, writing the output under
// a temporary name) runs at once on up to `workers` threads; what changes the folders as a user sees them
// (choosing the output's final name, the source wipe, the rest of the row) waits until every earlier row
// is done (TEngineObserver::OutputComplete). A row whose source is the same file as an earlier row's starts
// only after that row is done; one whose source does not exist when the run starts (an earlier row's
// output may become it), only after every earlier row.
//
// Bounds: at most `workers` finished rows wait for their turn beside the `workers` that stream, so the
// temporaries stay bounded; only a streaming row holds an I/O buffer, so memory is that of `workers`
// engines as one engine has it, and nothing per row.
//
// Workers never call the caller's observer: results and progress reach it on the calling thread. Workers
// hold back the stop signals, so that a handler removing temporaries runs on the calling thread and never
// interrupts a worker between creating a temporary and entering it in the table (UnfinishedFiles.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "BatchRules.h"

namespace zk {

class TFileEngine;

// What the caller of RunBatchRows sees, always on its own thread.
class TBatchRowsObserver {
 public:
  virtual ~TBatchRowsObserver() = default;
  // The rows first..last (counting from 0) are now in progress; one after another first == last.
  virtual void RowsInProgress(int first, int last) = 0;
  // A row's result, in list order.
  virtual void RowDone(int row, const TRowResult& result) = 0;
  // Bytes of the whole batch done so far (from the rows' progress), about 25 times a second on several
  // threads, and then the moment to let a window's events through; one after another the engine's own
  // observer reports each file instead.
  virtual void BatchProgress(int64_t done, int64_t total) { (void)done, (void)total; }
  // Called often while rows run on several threads: ask the rows' source wipes in progress to stop after
  // their current block (TFileEngine::SkipWipeRequested) by returning true.
  virtual bool SkipWipesRequested() { return false; }
  // On several threads: a row's source wipe began or ended. One runs at a time, as it waits for its
  // turn; one after another the engine's own observer reports it instead.
  virtual void SourceWipeInProgress(bool inProgress) { (void)inProgress; }
};

// Runs row(engine, index) for every index below `sources.size()` (the rows' source paths). With workers
// <= 1 or a single row, on the calling thread with `engine`, exactly as a plain loop would. Otherwise each
// worker gets a fresh engine with engine's ExplicitOutputName; its engine observer belongs to the runner.
// A row that throws is an unexpected error. An exception from the observer ends the run early and reaches
// the caller: on several threads, rows not yet begun never start, and those begun finish first.
void RunBatchRows(int workers, TFileEngine& engine, const std::vector<std::string>& sources,
                  const std::function<TRowResult(TFileEngine& engine, int row)>& row,
                  TBatchRowsObserver& observer);

}  // namespace zk
