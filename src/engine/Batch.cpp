#include "engine/Batch.h"

#include <algorithm>
#include <functional>

#include "engine/FileEngine.h"
#include "platform/SecretBytes.h"

namespace zk {

// Keeps each result in its row, counts the failures and carries the hint of a re-encryption, then tells
// the caller's observer.
class TBatch::TRecorder : public TBatchRowsObserver {
 public:
  TRecorder(TBatch& batch, TBatchRowsObserver& observer) : batch_(batch), observer_(observer) {}

  void RowsInProgress(int first, int last) override { observer_.RowsInProgress(first, last); }
  void RowDone(int row, const TRowResult& result) override {
    TBatchRow& done = batch_.rows_[row];
    done.Result = result;
    if (batch_.mode_ == TBatchMode::kDecrypt) done.DecryptedPath = result.OutputPath;
    if (result.Failed()) ++batch_.failures_;
    if (batch_.reEncrypting_) batch_.hintCarriedOver_ = done.Hint.value_or("");
    observer_.RowDone(row, result);
  }
  void Progress(const TProgress& progress) override { observer_.Progress(progress); }
  void BatchProgress(int64_t done, int64_t total) override { observer_.BatchProgress(done, total); }
  void LetEventsThrough() override { observer_.LetEventsThrough(); }
  bool SkipWipesRequested() override { return observer_.SkipWipesRequested(); }
  void SourceWipeInProgress(bool inProgress) override { observer_.SourceWipeInProgress(inProgress); }

 private:
  TBatch& batch_;
  TBatchRowsObserver& observer_;
};

void TBatch::Add(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    TBatchRow row;
    row.Path = path;
    rows_.push_back(std::move(row));
  }
}

void TBatch::AddShowingHints(const std::vector<std::string>& paths, TFileEngine& engine) {
  const size_t first = rows_.size();
  Add(paths);
  if (mode_ != TBatchMode::kDecrypt) return;
  for (size_t i = first; i < rows_.size(); ++i) {
    rows_[i].HintRead = true;
    rows_[i].Hint = engine.ReadHint(rows_[i].Path);
  }
}

void TBatch::Remove(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end(), std::greater<>());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  for (const int row : rows)
    if (row >= 0 && row < Count()) rows_.erase(rows_.begin() + row);
}

void TBatch::Run(int workers, TFileEngine& engine, const TBatchOptions& options,
                 TBatchRowsObserver& observer) {
  failures_ = 0;
  hintCarriedOver_.reset();
  for (TBatchRow& row : rows_) row.Result.reset();
  // The workers read only these copies; the rows themselves change on the calling thread as results come.
  std::vector<std::string> sources;
  std::vector<std::string> hints;  // re-encrypting: each row's container's hint
  for (const TBatchRow& row : rows_) {
    sources.push_back(reEncrypting_ ? row.DecryptedPath : row.Path);
    if (reEncrypting_) hints.push_back(row.Hint.value_or(""));
  }
  TRecorder recorder(*this, observer);
  RunBatchRows(
      workers, engine, sources,
      [&, mode = mode_, reEncrypting = reEncrypting_](TFileEngine& rowEngine, int row) -> TPreparedRow {
        const std::string& path = sources[row];
        switch (mode) {
          case TBatchMode::kEncrypt: {
            if (!reEncrypting) return PrepareEncryptRow(rowEngine, path, options);
            TBatchOptions rowOptions = options;
            rowOptions.Hint = hints[row];
            TPreparedRow prepared = PrepareReEncryptRow(rowEngine, path, rowOptions);
            WipeString(rowOptions.Password);
            return prepared;
          }
          case TBatchMode::kDecrypt:
            return PrepareDecryptRow(rowEngine, path, options);
          case TBatchMode::kWipe:
            return WipeRow(rowEngine, path, options.WipeNamesOverwriteDoubt);
        }
        return {};
      },
      recorder);
  ranDecryption_ = mode_ == TBatchMode::kDecrypt;
  reEncrypting_ = false;
}

void TBatch::BeginReEncryption() {
  if (!ranDecryption_) return;
  for (TBatchRow& row : rows_)
    if (!row.DecryptedPath.empty()) row.Path = row.DecryptedPath;
  mode_ = TBatchMode::kEncrypt;
  ranDecryption_ = false;
  reEncrypting_ = true;
}

}  // namespace zk
