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

constexpr auto kProgressInterval = std::chrono::milliseconds(100);

// Both the rows that stream at once and those that wait for their turn hold a temporary.
int WorkerLimit(int workers) { return std::min(workers, kMaxUnfinishedFiles / 2); }

TRowResult RunGuarded(const TRowFunction& row, TFileEngine& engine, int index) {
  try {
    return row(engine, index);
  } catch (...) {
    return {TResultKind::kUnexpectedError, {}};
  }
}

// For each row, the last earlier row with the same source file (the same file through any of its names),
// or -1: a source wipe of the earlier row changes what the later one reads.
std::vector<int> EarlierRowsOfSameFile(const std::vector<std::string>& sources, std::vector<int64_t>& sizes) {
  std::map<std::pair<dev_t, ino_t>, int> lastRowOfFile;
  std::map<std::string, int> lastRowOfPath;  // for sources that cannot be examined
  std::vector<int> earlier(sources.size(), -1);
  for (size_t i = 0; i < sources.size(); ++i) {
    const int row = static_cast<int>(i);
    struct stat info;
    if (::stat(sources[i].c_str(), &info) == 0) {
      sizes[i] = S_ISREG(info.st_mode) ? info.st_size : 0;
      const auto [entry, added] = lastRowOfFile.try_emplace({info.st_dev, info.st_ino}, row);
      if (!added) earlier[i] = std::exchange(entry->second, row);
    } else {
      const auto [entry, added] = lastRowOfPath.try_emplace(sources[i], row);
      if (!added) earlier[i] = std::exchange(entry->second, row);
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
        earlierOfSameFile_(EarlierRowsOfSameFile(sources, sizes_)),
        results_(sources.size()) {
    for (const int64_t size : sizes_) total_ += size;
  }

  void Run(int threads, TBatchRowsObserver& observer) {
    std::vector<std::thread> pool;
    for (int i = 0; i < threads; ++i) pool.emplace_back([this] { Work(); });
    Deliver(observer);
    for (std::thread& thread : pool) thread.join();
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
      inSourceWipe_ = true;
      wipeGeneration_ = run_.skipGeneration_.load(std::memory_order_relaxed);
    }
    void EndSourceWipe() override { inSourceWipe_ = false; }
    void OutputComplete() override {
      std::unique_lock lock(run_.mutex_);
      if (streaming_) {
        streaming_ = false;
        ++run_.streamPermits_;
        run_.changed_.notify_all();
      }
      run_.changed_.wait(lock, [&] { return run_.finished_ == row_; });
      hasTurn_ = true;
    }

   private:
    TParallelRun& run_;
    TFileEngine& engine_;
    int row_ = 0;
    int64_t counted_ = 0;
    bool streaming_ = false;
    bool hasTurn_ = false;
    bool inSourceWipe_ = false;
    int wipeGeneration_ = 0;
  };

  void Work() {
    auto engine = std::make_unique<TFileEngine>();
    TWorker worker(*this, *engine);
    engine->Observer = &worker;
    engine->ExplicitOutputName = explicitOutput_;
    engine->ProcessMsgInterval = 1;  // no draws from the process-wide generator: names draw from it in order
    for (;;) {
      int row;
      {
        std::unique_lock lock(mutex_);
        if (next_ == count_) return;
        row = next_++;
        changed_.wait(lock, [&] { return finished_ > earlierOfSameFile_[row] && streamPermits_ > 0; });
        --streamPermits_;
        running_.insert(row);
      }
      worker.StartRow(row);
      TRowResult result = RunGuarded(row_, *engine, row);
      worker.FinishRow();
      {
        std::lock_guard lock(mutex_);
        results_[row] = std::move(result);
        running_.erase(row);
        ++finished_;
      }
      changed_.notify_all();
    }
  }

  // On the calling thread: results in list order, the rows in progress and the batch's bytes.
  void Deliver(TBatchRowsObserver& observer) {
    std::pair<int, int> shownRange{-1, -1};
    for (int delivered = 0; delivered < count_;) {
      std::vector<TRowResult> ready;
      std::pair<int, int> range;
      {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kProgressInterval, [&] { return finished_ > delivered; });
        for (int row = delivered; row < finished_; ++row) ready.push_back(std::move(*results_[row]));
        range = running_.empty() ? std::pair{finished_, finished_}
                                 : std::pair{*running_.begin(), *running_.rbegin()};
      }
      for (TRowResult& result : ready) observer.RowDone(delivered++, result);
      if (observer.SkipWipesRequested()) skipGeneration_.fetch_add(1, std::memory_order_relaxed);
      if (delivered < count_ && range != shownRange) {
        shownRange = range;
        observer.RowsInProgress(range.first, range.second);
      }
      observer.BatchProgress(done_.load(std::memory_order_relaxed), total_);
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  int next_ = 0;          // the next row to start
  int finished_ = 0;      // rows done, all of them before any unfinished one
  int streamPermits_;     // rows that may still start their heavy work
  std::set<int> running_;  // rows started and not done
  std::atomic<int64_t> done_{0};
  std::atomic<int> skipGeneration_{0};
  int64_t total_ = 0;

  const std::string explicitOutput_;
  const TRowFunction& row_;
  const int count_;
  std::vector<int64_t> sizes_;
  const std::vector<int> earlierOfSameFile_;
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
