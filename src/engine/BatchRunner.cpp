#include "BatchRunner.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <semaphore>
#include <thread>
#include <utility>

#include "FileEngine.h"
#include "platform/Durability.h"
#include "platform/FileError.h"
#include "platform/UnfinishedFiles.h"

namespace zk {
namespace {

using TPrepare = std::function<TPreparedRow(TFileEngine& engine, int row)>;

constexpr auto kTickInterval = std::chrono::milliseconds(40);
// Rows this small are handed out a few at a time: for them taking a row costs about as much as the row.
constexpr int64_t kSmallRowBytes = 64 << 10;
constexpr int kRowsPerTake = 8;

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

// For each row, the earlier row that must be committed before it is prepared, or -1: the last earlier row
// with the same source file (through any of its names), whose source wipe changes what the later one reads.
// A source that cannot be examined now may be an earlier row's output by the time a run on one thread
// reaches it: such a row waits for every earlier row.
std::vector<int> RowsToWaitFor(const std::vector<std::string>& sources, std::vector<int64_t>& sizes) {
  std::map<std::pair<dev_t, ino_t>, int> lastRowOfFile;
  std::vector<int> earlier(sources.size(), -1);
  for (size_t i = 0; i < sources.size(); ++i) {
    const int row = static_cast<int>(i);
    struct stat info;
    if (::stat(sources[i].c_str(), &info) == 0) {
      sizes[i] = S_ISREG(info.st_mode) ? info.st_size : 0;
      const auto [entry, added] = lastRowOfFile.try_emplace({info.st_dev, info.st_ino}, row);
      if (!added) earlier[i] = std::exchange(entry->second, row);
    } else {
      earlier[i] = row - 1;
    }
  }
  return earlier;
}

class TRun {
 public:
  TRun(int workers, TFileEngine& engine, const std::vector<std::string>& sources, const TPrepare& prepare,
       TBatchRowsObserver& observer)
      : workers_(workers),
        engine_(engine),
        prepare_(prepare),
        observer_(observer),
        count_(static_cast<int>(sources.size())),
        sizes_(sources.size(), 0),
        waitFor_(RowsToWaitFor(sources, sizes_)),
        prepared_(sources.size()) {
    for (const int64_t size : sizes_) total_ += size;
  }

  // The commit loop. With workers it only commits; without, it prepares each row itself first.
  void Run() {
    TCallerEvents events(*this);
    TEngineObserver* const callerObserver = std::exchange(engine_.Observer, &events);
    std::vector<std::jthread> pool;  // joined on every way out, before the rows they work on go
    try {
      for (int i = 0; i < workers_; ++i) pool.emplace_back([this] { Work(); });
      for (int row = 0; row < count_; ++row) {
        if (pool.empty()) observer_.RowsInProgress(row, row);
        TPreparedRow prepared = pool.empty() ? Guarded([&] { return prepare_(engine_, row); }) : Await(row);
        if (!pool.empty()) FlushTogether(row, prepared);
        const TRowResult result = Guarded([&] { return CommitRow(engine_, std::move(prepared)); });
        Committed(row);
        rowDoneBytes_ += sizes_[row];
        rowCounted_ = 0;
        observer_.RowDone(row, result);
        if (!pool.empty()) Tick(false);
      }
      Tick(true);
    } catch (...) {
      // A thread that cannot be made or an observer that throws: the rows begun finish, no other row
      // starts, and the exception reaches the caller once the workers are joined.
      StartNoMoreRows();
      pool.clear();
      engine_.Observer = callerObserver;
      engine_.ForgetKeys();
      throw;
    }
    pool.clear();
    engine_.Observer = callerObserver;
    engine_.ForgetKeys();  // the workers' engines forget theirs as they go
  }

 private:
  // The observer of the calling thread's engine: one after another it passes the file's progress and the
  // moments to let events through on; on several threads these are the runner's own ticks.
  class TCallerEvents : public TEngineObserver {
   public:
    explicit TCallerEvents(TRun& run) : run_(run) {}
    void Progress(const TProgress& progress) override {
      if (run_.workers_ > 0) return;  // the workers count the batch's bytes
      run_.observer_.Progress(progress);
      run_.rowCounted_ = std::max(run_.rowCounted_, std::min(progress.Done, run_.sizes_[run_.committed_]));
      run_.observer_.BatchProgress(run_.rowDoneBytes_ + run_.rowCounted_, run_.total_);
    }
    // A source wipe is the one time a user may ask to skip: then the engine paces the events alone.
    void ProcessMessages() override {
      if (run_.workers_ == 0 || inSourceWipe_) {
        run_.observer_.LetEventsThrough();
      } else {
        run_.Tick(false);
      }
      if (inSourceWipe_ && run_.observer_.SkipWipesRequested()) run_.engine_.SkipWipeRequested = true;
    }
    void BeginSourceWipe() override {
      inSourceWipe_ = true;
      run_.observer_.SourceWipeInProgress(true);
    }
    void EndSourceWipe() override {
      inSourceWipe_ = false;
      run_.observer_.SourceWipeInProgress(false);
    }

   private:
    TRun& run_;
    bool inSourceWipe_ = false;
  };

  // The observer of a worker's engine: counts its rows' bytes into the batch.
  class TWorkerEvents : public TEngineObserver {
   public:
    explicit TWorkerEvents(TRun& run) : run_(run) {}
    void StartRow(int row) {
      row_ = row;
      counted_ = 0;
    }
    void FinishRow() { Count(run_.sizes_[row_]); }
    void Progress(const TProgress& progress) override {
      run_.kind_.store(progress.Kind, std::memory_order_relaxed);
      Count(std::min(progress.Done, run_.sizes_[row_]));
    }

   private:
    void Count(int64_t done) {
      if (done <= counted_) return;
      run_.done_.fetch_add(done - counted_, std::memory_order_relaxed);
      counted_ = done;
    }
    TRun& run_;
    int row_ = 0;
    int64_t counted_ = 0;
  };

  void Work() {
    // Only the calling thread takes the stop signals, whose handler removes the unfinished outputs: a
    // worker interrupted between creating one and entering it in the table would leave it behind.
    const THeldStopSignals stopSignalsGoToTheCallingThread;
    auto engine = std::make_unique<TFileEngine>();
    TWorkerEvents events(*this);
    engine->Observer = &events;
    engine->ExplicitOutputName = engine_.ExplicitOutputName;
    engine->ProcessMsgInterval = 0;  // a worker has no events to let through: it never draws at random
    engine->DeferFlush = true;       // FlushTogether
    for (;;) {
      // The slot comes before the row: every row taken can be prepared, so the commit never waits for a
      // row whose worker waits for a slot.
      slots_.acquire();
      int first;
      int end;
      {
        std::lock_guard lock(mutex_);
        if (next_ == count_) {
          slots_.release();
          return;
        }
        first = next_;
        end = next_ + 1;
        while (end < count_ && end - first < kRowsPerTake && sizes_[first] < kSmallRowBytes &&
               sizes_[end] < kSmallRowBytes && slots_.try_acquire())
          ++end;
        next_ = end;
      }
      for (int row = first; row < end; ++row) {
        {
          std::unique_lock lock(mutex_);
          ++waitingForEarlierRow_;
          committedChanged_.wait(lock, [&] { return committed_ > waitFor_[row] || stopping_; });
          --waitingForEarlierRow_;
          if (stopping_) return;
        }
        events.StartRow(row);
        TPreparedRow prepared = Guarded([&] { return prepare_(*engine, row); });
        events.FinishRow();
        std::lock_guard lock(mutex_);
        prepared_[row] = std::move(prepared);
        if (row == committed_) rowPrepared_.notify_one();
      }
    }
  }

  // On the calling thread: the prepared row, woken for it or every kTickInterval to report progress.
  TPreparedRow Await(int row) {
    std::unique_lock lock(mutex_);
    while (!prepared_[row]) {
      if (!rowPrepared_.wait_for(lock, kTickInterval, [&] { return prepared_[row].has_value(); })) {
        lock.unlock();
        Tick(false);
        lock.lock();
      }
    }
    TPreparedRow prepared = std::move(*prepared_[row]);
    prepared_[row].reset();
    return prepared;
  }

  static TPendingOutput* Unflushed(TPreparedRow& row) {
    TPendingOutput* output = row.Output && row.Output->Output ? row.Output->Output.get() : nullptr;
    return output && !output->Flushed() ? output : nullptr;
  }

  // Before a row's output is named, it goes to the disk together with every other output prepared by then:
  // one flush of their file system instead of one per file. (Where that fails, each output is flushed
  // alone when it is named.)
  void FlushTogether(int row, TPreparedRow& prepared) {
    TPendingOutput* const output = Unflushed(prepared);
    if (!output) return;
    std::vector<TPendingOutput*> outputs{output};
    {
      std::lock_guard lock(mutex_);
      for (int later = row + 1; later < next_; ++later)
        if (TPendingOutput* other = prepared_[later] ? Unflushed(*prepared_[later]) : nullptr)
          outputs.push_back(other);
    }
    // The rows prepared are the calling thread's alone now: no worker touches them again.
    std::vector<int> descriptors;
    for (TPendingOutput* each : outputs) descriptors.push_back(each->Stream().Descriptor());
    if (!SyncFileSystems(descriptors)) return;
    for (TPendingOutput* each : outputs) each->FileSystemFlushed();
  }

  void Committed(int row) {
    {
      std::lock_guard lock(mutex_);
      committed_ = row + 1;
      if (waitingForEarlierRow_ > 0) committedChanged_.notify_all();
    }
    if (workers_ > 0) slots_.release();
  }

  // Rows not yet taken never start; the workers end with the rows they have begun.
  void StartNoMoreRows() {
    std::lock_guard lock(mutex_);
    next_ = count_;
    stopping_ = true;
    committedChanged_.notify_all();
    slots_.release(workers_);  // for the workers waiting for a slot
  }

  // On several threads, at most every kTickInterval (or `now`): the rows in progress, the batch's bytes and
  // the moment to let events through.
  void Tick(bool now) {
    if (workers_ == 0) {
      if (now) observer_.BatchProgress(total_, total_);
      return;
    }
    const auto time = std::chrono::steady_clock::now();
    if (!now && time - lastTick_ < kTickInterval) return;
    lastTick_ = time;
    std::pair<int, int> range;
    {
      std::lock_guard lock(mutex_);
      range = {committed_, std::min(next_, count_) - 1};
    }
    if (range.first < count_ && range.second >= range.first && range != shownRange_) {
      shownRange_ = range;
      observer_.RowsInProgress(range.first, range.second);
    }
    const int64_t done = done_.load(std::memory_order_relaxed);
    if (done > 0) observer_.Progress(TProgress{kind_.load(std::memory_order_relaxed), done, total_});
    observer_.BatchProgress(done, total_);
    observer_.LetEventsThrough();
  }

  const int workers_;  // 0: the calling thread prepares too
  TFileEngine& engine_;
  const TPrepare& prepare_;
  TBatchRowsObserver& observer_;
  const int count_;
  std::vector<int64_t> sizes_;
  const std::vector<int> waitFor_;
  int64_t total_ = 0;

  std::mutex mutex_;
  std::condition_variable rowPrepared_;       // the row the calling thread commits next is prepared
  std::condition_variable committedChanged_;  // for the rows waiting for an earlier one
  std::counting_semaphore<> slots_{kMaxUnfinishedFiles};  // rows taken and not committed
  int next_ = 0;                                          // the next row to take
  int committed_ = 0;                                     // rows committed, all of them before any other
  int waitingForEarlierRow_ = 0;                          // workers waiting in committedChanged_
  bool stopping_ = false;
  std::vector<std::optional<TPreparedRow>> prepared_;  // prepared and not yet committed

  std::atomic<int64_t> done_{0};  // on several threads: the batch's bytes prepared
  std::atomic<TProgressKind> kind_{TProgressKind::kEncrypting};
  std::chrono::steady_clock::time_point lastTick_{};
  std::pair<int, int> shownRange_{-1, -1};
  int64_t rowDoneBytes_ = 0;  // one after another: the bytes of the rows committed
  int64_t rowCounted_ = 0;    // one after another: the bytes of the row at work counted
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
