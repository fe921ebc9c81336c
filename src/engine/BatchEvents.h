// What a batch run tells its observer besides the rows' results: the rows in progress, the bytes done and
// the moments to let a window's events through (TBatchRowsObserver), always on the calling thread.
//
// One after another, the calling thread's engine reports the file at work, which is passed on as it comes.
// On several threads, each worker's engine counts its rows' bytes into the batch (TRowCounter), and the
// calling thread reports the rows taken and not committed and the bytes of the whole batch at most every
// kTickInterval (Tick).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <utility>
#include <vector>

#include "BatchRunner.h"
#include "EngineObserver.h"

namespace zk {

class TFileEngine;

// The observer of the calling thread's engine while a batch runs.
class TBatchEvents : public TEngineObserver {
 public:
  static constexpr auto kTickInterval = std::chrono::milliseconds(40);

  TBatchEvents(TBatchRowsObserver& observer, TFileEngine& engine, const std::vector<int64_t>& sizes,
               bool parallel);

  // Rows below `end` are taken by the workers (any thread).
  void Taken(int end) { taken_.store(end, std::memory_order_relaxed); }
  // One after another: the calling thread begins to prepare `row`.
  void Started(int row);
  // The row is committed; its result goes to the observer.
  void Committed(int row, const TRowResult& result);
  // On several threads: the progress, unless reported less than kTickInterval ago.
  void Tick() { Report(false); }
  // The last progress: the whole batch done.
  void Finished() { Report(true); }

  void Progress(const TProgress& progress) override;
  void ProcessMessages() override;
  void BeginSourceWipe() override;
  void EndSourceWipe() override;

  // The observer of a worker's engine: counts the bytes of the worker's rows into the batch.
  class TRowCounter : public TEngineObserver {
   public:
    explicit TRowCounter(TBatchEvents& events) : events_(events) {}
    void Started(int row);
    void Finished() { Count(events_.sizes_[row_]); }  // the row's whole size, even when it failed early
    void Progress(const TProgress& progress) override;

   private:
    void Count(int64_t done);
    TBatchEvents& events_;
    int row_ = 0;
    int64_t counted_ = 0;
  };

 private:
  void Report(bool now);

  TBatchRowsObserver& observer_;
  TFileEngine& engine_;
  const std::vector<int64_t>& sizes_;
  const bool parallel_;
  int64_t total_ = 0;
  bool inSourceWipe_ = false;

  // One after another: the row at work, the bytes of the rows before it and of the row counted so far.
  int row_ = 0;
  int64_t rowsDone_ = 0;
  int64_t rowCounted_ = 0;

  // On several threads.
  int committed_ = 0;
  std::atomic<int> taken_{0};
  std::atomic<int64_t> done_{0};
  std::atomic<TProgressKind> kind_{TProgressKind::kEncrypting};
  std::chrono::steady_clock::time_point lastTick_{};
  std::pair<int, int> shownRows_{-1, -1};
};

}  // namespace zk
