#include "BatchRunner.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <semaphore>
#include <thread>
#include <utility>

#include "BatchEvents.h"
#include "BatchOrder.h"
#include "FileEngine.h"
#include "GroupedFlush.h"
#include "platform/FileError.h"
#include "platform/UnfinishedFiles.h"

namespace zk {
namespace {

using TPrepare = std::function<TPreparedRow(TFileEngine& engine, int row)>;

// Rows this small are handed out a few at a time: for them taking a row costs about as much as the row.
constexpr int64_t kSmallRowBytes = 64 << 10;
constexpr int kRowsPerTake = 8;

// A row that throws is an unexpected error.
template <typename TStep>
auto Guarded(TStep step) -> decltype(step()) {
  try {
    return step();
  } catch (...) {
    TRowResult unexpected;
    unexpected.Cause = CauseOfCurrentException();
    return unexpected;
  }
}

class TRun {
 public:
  TRun(int workers, TFileEngine& engine, const std::vector<std::string>& sources, const TPrepare& prepare,
       TBatchRowsObserver& observer)
      : workers_(workers),
        engine_(engine),
        prepare_(prepare),
        count_(static_cast<int>(sources.size())),
        order_(RowOrder(sources)),
        events_(observer, engine, order_.Sizes, workers > 0),
        callerObserver_(std::exchange(engine.Observer, &events_)),
        prepared_(sources.size()) {}

  ~TRun() {
    engine_.Observer = callerObserver_;
    engine_.ForgetKeys();  // the workers' engines forget theirs as they end
  }

  // The commit loop, in list order. With workers it only commits; without, it prepares each row itself first.
  void Run() {
    std::vector<std::jthread> pool;  // joined on every way out, once the rows begun are finished
    try {
      for (int i = 0; i < workers_; ++i) pool.emplace_back([this] { Work(); });
      for (int row = 0; row < count_; ++row) {
        if (workers_ == 0) {
          events_.Started(row);
          Commit(row, Guarded([&] { return prepare_(engine_, row); }));
        } else {
          Commit(row, Await(row));
        }
      }
      events_.Finished();
    } catch (...) {
      // A thread that cannot be made or an observer that throws: no other row starts, and the exception
      // reaches the caller once the workers are joined.
      StartNoMoreRows();
      throw;
    }
  }

 private:
  void Work() {
    // Only the calling thread takes the stop signals, whose handler removes the unfinished outputs: a
    // worker interrupted between creating one and entering it in the table would leave it behind.
    const THeldStopSignals stopSignalsGoToTheCallingThread;
    auto engine = std::make_unique<TFileEngine>();
    TBatchEvents::TRowCounter counter(events_);
    engine->Observer = &counter;
    engine->ExplicitOutputName = engine_.ExplicitOutputName;
    engine->ProcessMsgInterval = 0;  // a worker has no events to let through, and so never draws at random
    engine->DeferFlush = true;       // the commit flushes the outputs ready together (FlushTogether)
    for (auto [first, end] = Take(); first < end; std::tie(first, end) = Take()) {
      for (int row = first; row < end; ++row) {
        if (!AwaitCommitOf(order_.WaitFor[row])) return;
        counter.Started(row);
        TPreparedRow prepared = Guarded([&] { return prepare_(*engine, row); });
        counter.Finished();
        std::lock_guard lock(mutex_);
        prepared_[row] = std::move(prepared);
        if (row + 1 == end) rowPrepared_.notify_one();  // once per take: a wake-up per row costs as much
      }
    }
  }

  // The next rows to prepare, [first, end): one, or up to kRowsPerTake small ones; none when no row is left.
  // A slot comes before each row, so every row taken can be prepared: the commit never waits for a row whose
  // worker waits for a slot.
  std::pair<int, int> Take() {
    slots_.acquire();
    std::lock_guard lock(mutex_);
    if (next_ == count_) {
      slots_.release();  // no row took it
      return {count_, count_};
    }
    const int first = next_++;
    const auto small = [&](int row) { return order_.Sizes[row] < kSmallRowBytes; };
    while (next_ < count_ && next_ - first < kRowsPerTake && small(first) && small(next_) && slots_.try_acquire())
      ++next_;
    events_.Taken(next_);
    return {first, next_};
  }

  // Waits until `row` (-1: none) is committed; false when the run ends early.
  bool AwaitCommitOf(int row) {
    std::unique_lock lock(mutex_);
    if (committed_ <= row) {
      rowPrepared_.notify_one();  // the rows this worker prepared before may be what the commit waits for
      ++waitingForCommit_;
      committedChanged_.wait(lock, [&] { return committed_ > row || stopping_; });
      --waitingForCommit_;
    }
    return !stopping_;
  }

  // On the calling thread: the prepared row, reporting progress every kTickInterval while it waits. Before
  // its output is named it goes to the disk with the other outputs prepared by then.
  TPreparedRow Await(int row) {
    std::unique_lock lock(mutex_);
    while (!rowPrepared_.wait_for(lock, TBatchEvents::kTickInterval, [&] { return prepared_[row].has_value(); })) {
      lock.unlock();
      events_.Tick();
      lock.lock();
    }
    TPreparedRow prepared = *std::exchange(prepared_[row], std::nullopt);
    std::vector<TPreparedRow*> ready{&prepared};
    for (int later = row + 1; later < next_; ++later)
      if (prepared_[later]) ready.push_back(&*prepared_[later]);
    lock.unlock();
    FlushTogether(ready);  // the rows prepared are the calling thread's alone: no worker touches them again
    return prepared;
  }

  void Commit(int row, TPreparedRow prepared) {
    const TRowResult result = Guarded([&] { return CommitRow(engine_, std::move(prepared)); });
    {
      std::lock_guard lock(mutex_);
      committed_ = row + 1;
      if (waitingForCommit_ > 0) committedChanged_.notify_all();
    }
    if (workers_ > 0) slots_.release();
    events_.Committed(row, result);
  }

  // Rows not yet taken never start; the workers end with the rows they have begun.
  void StartNoMoreRows() {
    std::lock_guard lock(mutex_);
    next_ = count_;
    stopping_ = true;
    committedChanged_.notify_all();
    slots_.release(workers_);  // for the workers waiting for a slot
  }

  const int workers_;  // 0: the calling thread prepares too
  TFileEngine& engine_;
  const TPrepare& prepare_;
  const int count_;
  const TRowOrder order_;
  TBatchEvents events_;
  TEngineObserver* const callerObserver_;

  std::mutex mutex_;
  std::condition_variable rowPrepared_;        // for the calling thread, waiting for the row to commit next
  std::condition_variable committedChanged_;  // for the workers, waiting for an earlier row's commit
  std::counting_semaphore<> slots_{kMaxUnfinishedFiles};  // rows taken and not committed
  int next_ = 0;                                          // the next row to take
  int committed_ = 0;                                     // rows committed, all of them before any other
  int waitingForCommit_ = 0;
  bool stopping_ = false;
  std::vector<std::optional<TPreparedRow>> prepared_;  // prepared and not yet committed
};

}  // namespace

void RunBatchRows(int workers, TFileEngine& engine, const std::vector<std::string>& sources,
                  const std::function<TPreparedRow(TFileEngine& engine, int row)>& prepare,
                  TBatchRowsObserver& observer) {
  // Every row taken holds an unfinished output: half the table at most for the rows being prepared.
  workers = std::min({workers, static_cast<int>(sources.size()), kMaxUnfinishedFiles / 2});
  TRun(workers > 1 ? workers : 0, engine, sources, prepare, observer).Run();
}

}  // namespace zk
