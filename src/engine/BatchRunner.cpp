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
#include <set>
#include <thread>
#include <utility>

#include "FileEngine.h"
#include "ResultTexts.h"
#include "platform/UnfinishedFiles.h"

namespace zk {
namespace {

using TRowFunction = std::function<TRowResult(TFileEngine& engine, int row)>;

constexpr auto kProgressInterval = std::chrono::milliseconds(40);
constexpr auto kQuickTurn = std::chrono::microseconds(200);
constexpr int64_t kLongWipeBytes = 4 << 20;

void PauseCpu() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#else
  std::this_thread::yield();
#endif
}

// Both the rows that stream at once and those that wait for their turn hold a temporary.
int WorkerLimit(int workers) { return std::min(workers, kMaxUnfinishedFiles / 2); }

TRowResult RunGuarded(const TRowFunction& row, TFileEngine& engine, int index) {
  try {
    return row(engine, index);
  } catch (...) {
    return TRowResult{};  // an unexpected error
  }
}

// For each row, the earlier row that must be done before it starts, or -1: the last earlier row with the
// same source file (the same file through any of its names), whose source wipe changes what the later one
// reads. A source that cannot be examined now may be an earlier row's output by the time a run on one
// thread reaches it: such a row waits for every earlier row.
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

class TParallelRun {
 public:
  TParallelRun(int workers, const TFileEngine& engine, const std::vector<std::string>& sources,
               const TRowFunction& row)
      : streamPermits_(workers),
        explicitOutput_(engine.ExplicitOutputName),
        row_(row),
        count_(static_cast<int>(sources.size())),
        sizes_(sources.size(), 0),
        waitFor_(RowsToWaitFor(sources, sizes_)),
        turnWaiters_(sources.size(), nullptr),
        results_(sources.size()) {
    for (const int64_t size : sizes_) total_ += size;
  }

  void Run(int threads, TBatchRowsObserver& observer) {
    std::vector<std::jthread> pool;  // joined on every way out, before the run they work on ends
    try {
      for (int i = 0; i < threads; ++i) pool.emplace_back([this] { Work(); });
      Deliver(observer);
    } catch (...) {
      // A thread that cannot be made or an observer that throws: the rows begun finish (their temporaries
      // go or get their names), no other row starts, and the exception reaches the caller once the
      // workers are joined.
      StartNoMoreRows();
      throw;
    }
  }

 private:
  // The engine observer of one worker: counts its row's bytes into the batch, waits at the commit for the
  // row's turn and passes a skip request on to a source wipe in progress.
  class TWorker : public TEngineObserver {
   public:
    TWorker(TParallelRun& run, TFileEngine& engine) : run_(run), engine_(engine) {}

    void StartRow(int row) {
      row_ = row;
      counted_ = 0;
      streaming_ = true;
      hasTurn_ = false;
    }
    void FinishRow() {
      if (!hasTurn_) OutputComplete();
      run_.done_.fetch_add(run_.sizes_[row_] - counted_, std::memory_order_relaxed);
    }
    // The row kept its stream permit through its end, for the worker's next row.
    bool Streaming() const { return streaming_; }

    void Progress(const TProgress& progress) override {
      const int64_t done = std::min(progress.Done, run_.sizes_[row_]);
      if (done <= counted_) return;
      run_.done_.fetch_add(done - counted_, std::memory_order_relaxed);
      counted_ = done;
    }
    void ProcessMessages() override {
      if (inSourceWipe_ && run_.skipGeneration_.load(std::memory_order_relaxed) != wipeGeneration_)
        engine_.SkipWipeRequested = true;
    }
    void BeginSourceWipe() override {
      run_.sourceWipeWithTurn_.store(true, std::memory_order_relaxed);
      // The wipe of a big file lasts long enough for a user to skip it: the caller hears of it at once.
      if (run_.sizes_[row_] >= kLongWipeBytes) {
        // Under the mutex: between the calling thread's look at the count and its sleep, the wake-up
        // would go unheard.
        std::lock_guard lock(run_.mutex_);
        run_.longWipesBegun_.fetch_add(1, std::memory_order_relaxed);
        run_.delivery_.notify_one();
      }
      inSourceWipe_ = true;
      wipeGeneration_ = run_.skipGeneration_.load(std::memory_order_relaxed);
    }
    void EndSourceWipe() override {
      run_.sourceWipeWithTurn_.store(false, std::memory_order_relaxed);
      inSourceWipe_ = false;
    }
    void OutputComplete() override {
      run_.AwaitQuickTurn(row_);
      std::unique_lock lock(run_.mutex_);
      // A row that must wait lets another row stream meanwhile; one whose turn it is keeps streaming's
      // place for its next row, without waking anyone.
      if (run_.finished_ != row_) {
        streaming_ = false;
        engine_.ReleaseBuffer();  // the I/O buffers go with the permits: as many as rows streaming at once
        run_.ReturnStreamPermit();
        run_.turnWaiters_[row_] = &turn_;
        turn_.wait(lock, [&] { return run_.finished_ == row_; });
      }
      hasTurn_ = true;
    }

   private:
    TParallelRun& run_;
    TFileEngine& engine_;
    std::condition_variable turn_;
    int row_ = 0;
    int64_t counted_ = 0;
    bool streaming_ = false;
    bool hasTurn_ = false;
    bool inSourceWipe_ = false;
    int wipeGeneration_ = 0;
  };

  // A row that is done with its heavy work but not yet its turn spins for a moment before it sleeps: the
  // rows of small files end microseconds apart, and on few cores going to sleep and being woken costs more
  // than such a row itself. A source wipe of the row with the turn takes long; then it sleeps at once.
  void AwaitQuickTurn(int row) const {
    const auto until = std::chrono::steady_clock::now() + kQuickTurn;
    while (finishedNow_.load(std::memory_order_acquire) != row &&
           !sourceWipeWithTurn_.load(std::memory_order_relaxed) && std::chrono::steady_clock::now() < until) {
      PauseCpu();
    }
  }

  // Under mutex_. A waiting row held back by an earlier row cannot use the permit; then every waiting row
  // is asked.
  void ReturnStreamPermit() {
    ++streamPermits_;
    if (waitingForEarlierRow_ > 0) {
      startable_.notify_all();
    } else {
      startable_.notify_one();
    }
  }

  // Rows not yet started never start; the workers end with the rows they have begun.
  void StartNoMoreRows() {
    std::lock_guard lock(mutex_);
    next_ = count_;
    startable_.notify_all();
  }

  // Every row waits for its turn and a permit without waking the others: on a machine of few cores, waking
  // every waiting thread at each row costs more than the rows of small files themselves.
  void Work() {
    // Only the calling thread takes the stop signals, whose handler removes the temporaries: a worker
    // interrupted between creating a temporary and entering it in the table would leave it behind.
    const THeldStopSignals stopSignalsGoToTheCallingThread;
    auto engine = std::make_unique<TFileEngine>();
    TWorker worker(*this, *engine);
    engine->Observer = &worker;
    engine->ExplicitOutputName = explicitOutput_;
    engine->ProcessMsgInterval = 1;  // no draws from the process-wide generator: names draw from it in order
    for (bool holdsPermit = false;;) {
      int row;
      {
        std::unique_lock lock(mutex_);
        // The permit comes before the row, so that rows start in list order and rarely wait for their turn.
        if (!holdsPermit) {
          startable_.wait(lock, [&] { return streamPermits_ > 0 || next_ == count_; });
          if (next_ != count_) --streamPermits_;
        }
        if (next_ == count_) {
          if (holdsPermit) ReturnStreamPermit();
          return;
        }
        row = next_++;
        if (next_ == count_) startable_.notify_all();  // the workers waiting for a permit end
        if (finished_ <= waitFor_[row]) {
          ReturnStreamPermit();
          ++waitingForEarlierRow_;
          startable_.wait(lock, [&] { return finished_ > waitFor_[row] && streamPermits_ > 0; });
          --waitingForEarlierRow_;
          --streamPermits_;
        }
        running_.insert(row);
      }
      worker.StartRow(row);
      TRowResult result = RunGuarded(row_, *engine, row);
      worker.FinishRow();
      holdsPermit = worker.Streaming();
      std::lock_guard lock(mutex_);
      results_[row] = std::move(result);
      running_.erase(row);
      ++finished_;
      finishedNow_.store(finished_, std::memory_order_release);
      if (finished_ == count_) {
        delivery_.notify_one();
      } else if (std::condition_variable* next = turnWaiters_[finished_]) {
        next->notify_one();
      }
      if (waitingForEarlierRow_ > 0) startable_.notify_all();
    }
  }

  // On the calling thread, woken every kProgressInterval, when the last row is done and when the source wipe
  // of a big file begins: results in list order, the rows in progress, a source wipe and the batch's bytes.
  void Deliver(TBatchRowsObserver& observer) {
    std::pair<int, int> shownRange{-1, -1};
    bool wipeShown = false;
    int longWipesSeen = 0;
    const auto mustDeliver = [&] {
      return finished_ == count_ || longWipesBegun_.load(std::memory_order_relaxed) != longWipesSeen;
    };
    for (int delivered = 0; delivered < count_;) {
      std::vector<TRowResult> ready;
      std::pair<int, int> range;
      {
        std::unique_lock lock(mutex_);
        delivery_.wait_for(lock, kProgressInterval, mustDeliver);
        longWipesSeen = longWipesBegun_.load(std::memory_order_relaxed);
        for (int row = delivered; row < finished_; ++row) ready.push_back(std::move(*results_[row]));
        range = running_.empty() ? std::pair{finished_, finished_}
                                 : std::pair{*running_.begin(), *running_.rbegin()};
      }
      for (TRowResult& result : ready) observer.RowDone(delivered++, result);
      if (const bool wiping = sourceWipeWithTurn_.load(std::memory_order_relaxed); wiping != wipeShown) {
        wipeShown = wiping;
        observer.SourceWipeInProgress(wiping);
      }
      if (observer.SkipWipesRequested()) skipGeneration_.fetch_add(1, std::memory_order_relaxed);
      if (delivered < count_ && range != shownRange) {
        shownRange = range;
        observer.RowsInProgress(range.first, range.second);
      }
      observer.BatchProgress(done_.load(std::memory_order_relaxed), total_);
    }
    if (wipeShown) observer.SourceWipeInProgress(false);
  }

  std::mutex mutex_;
  std::condition_variable startable_;  // a stream permit came free, or a row that another waits for is done
  std::condition_variable delivery_;   // the last row is done, or a long source wipe begins
  int next_ = 0;                       // the next row to start
  int finished_ = 0;                   // rows done, all of them before any unfinished one
  int streamPermits_;                  // rows that may still start their heavy work
  int waitingForEarlierRow_ = 0;       // rows waiting to start until the earlier row they wait for is done
  std::set<int> running_;              // rows started and not done
  std::atomic<int> finishedNow_{0};    // finished_, read without the lock
  std::atomic<bool> sourceWipeWithTurn_{false};  // the row with the turn is wiping its source
  std::atomic<int> longWipesBegun_{0};           // source wipes of at least kLongWipeBytes begun
  std::atomic<int64_t> done_{0};
  std::atomic<int> skipGeneration_{0};
  int64_t total_ = 0;

  const std::string explicitOutput_;
  const TRowFunction& row_;
  const int count_;
  std::vector<int64_t> sizes_;
  const std::vector<int> waitFor_;
  std::vector<std::condition_variable*> turnWaiters_;  // the worker of each row that waits for its turn
  std::vector<std::optional<TRowResult>> results_;
};

}  // namespace

void RunBatchRows(int workers, TFileEngine& engine, const std::vector<std::string>& sources,
                  const std::function<TRowResult(TFileEngine& engine, int row)>& row,
                  TBatchRowsObserver& observer) {
  const int count = static_cast<int>(sources.size());
  workers = WorkerLimit(std::min(workers, count));
  if (workers <= 1) {
    for (int i = 0; i < count; ++i) {
      observer.RowsInProgress(i, i);
      observer.RowDone(i, RunGuarded(row, engine, i));
    }
    return;
  }
  TParallelRun(workers, engine, sources, row).Run(std::min(2 * workers, count), observer);
}

}  // namespace zk
