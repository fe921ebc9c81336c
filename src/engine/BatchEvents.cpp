#include "BatchEvents.h"

#include <algorithm>

#include "FileEngine.h"

namespace zk {

TBatchEvents::TBatchEvents(TBatchRowsObserver& observer, TFileEngine& engine, const std::vector<int64_t>& sizes,
                           bool parallel)
    : observer_(observer), engine_(engine), sizes_(sizes), parallel_(parallel) {
  for (const int64_t size : sizes_) total_ += size;
}

void TBatchEvents::Started(int row) {
  row_ = row;
  rowCounted_ = 0;
  observer_.RowsInProgress(row, row);
}

void TBatchEvents::Committed(int row, const TRowResult& result) {
  committed_ = row + 1;
  rowsDone_ += sizes_[row];
  rowCounted_ = 0;
  observer_.RowDone(row, result);
  if (parallel_) Tick();
}

// On several threads the workers count the batch's bytes; the calling thread's engine only commits.
void TBatchEvents::Progress(const TProgress& progress) {
  if (parallel_) return;
  observer_.Progress(progress);
  rowCounted_ = std::max(rowCounted_, std::min(progress.Done, sizes_[row_]));
  observer_.BatchProgress(rowsDone_ + rowCounted_, total_);
}

// A source wipe is the one time a user may ask to skip: then the engine paces the events alone.
void TBatchEvents::ProcessMessages() {
  if (!parallel_ || inSourceWipe_) {
    observer_.LetEventsThrough();
  } else {
    Tick();
  }
  if (inSourceWipe_ && observer_.SkipWipesRequested()) engine_.SkipWipeRequested = true;
}

void TBatchEvents::BeginSourceWipe() {
  inSourceWipe_ = true;
  observer_.SourceWipeInProgress(true);
}

void TBatchEvents::EndSourceWipe() {
  inSourceWipe_ = false;
  observer_.SourceWipeInProgress(false);
}

void TBatchEvents::Report(bool now) {
  if (!parallel_) {
    if (now) observer_.BatchProgress(total_, total_);
    return;
  }
  const auto time = std::chrono::steady_clock::now();
  if (!now && time - lastTick_ < kTickInterval) return;
  lastTick_ = time;
  const int count = static_cast<int>(sizes_.size());
  const std::pair<int, int> rows{committed_, taken_.load(std::memory_order_relaxed) - 1};
  if (rows.first < count && rows.second >= rows.first && rows != shownRows_) {
    shownRows_ = rows;
    observer_.RowsInProgress(rows.first, rows.second);
  }
  const int64_t done = done_.load(std::memory_order_relaxed);
  if (done > 0) observer_.Progress(TProgress{kind_.load(std::memory_order_relaxed), done, total_});
  observer_.BatchProgress(done, total_);
  observer_.LetEventsThrough();
}

void TBatchEvents::TRowCounter::Started(int row) {
  row_ = row;
  counted_ = 0;
}

void TBatchEvents::TRowCounter::Progress(const TProgress& progress) {
  events_.kind_.store(progress.Kind, std::memory_order_relaxed);
  Count(std::min(progress.Done, events_.sizes_[row_]));
}

void TBatchEvents::TRowCounter::Count(int64_t done) {
  if (done <= counted_) return;
  events_.done_.fetch_add(done - counted_, std::memory_order_relaxed);
  counted_ = done;
}

}  // namespace zk
