// TBatch: one batch — a list of files and a mode (encrypt, decrypt or wipe) — as the confirmation list shows
// it and zkcli runs it. Each row keeps the file it works on as the file system spells it, the hint its
// container holds when it was listed for a decryption, the plain file a decryption left, and the result of
// the last run. After a decryption the batch can become the re-encryption of what it left.
//
// A run goes through the batch runner (BatchRunner.h): the same results on one thread or several, told to
// the caller's observer in list order, on the caller's thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "BatchRules.h"
#include "BatchRunner.h"

namespace zk {

class TFileEngine;

struct TBatchRow {
  std::string Path;  // the file the row works on
  // Listed for a decryption: the container's hint was read (Hint is empty when it could not be).
  bool HintRead = false;
  std::optional<std::string> Hint;
  std::string DecryptedPath;         // after a successful decryption: the plain file it left
  std::optional<TRowResult> Result;  // after a run
};

class TBatch {
 public:
  explicit TBatch(TBatchMode mode = TBatchMode::kEncrypt) : mode_(mode) {}

  TBatchMode Mode() const { return mode_; }
  // The mode of the rows added from now on: a row added before keeps what it was listed with.
  void SetMode(TBatchMode mode) { mode_ = mode; }
  const std::vector<TBatchRow>& Rows() const { return rows_; }
  int Count() const { return static_cast<int>(rows_.size()); }
  bool Empty() const { return rows_.empty(); }

  // A row for each path, in order.
  void Add(const std::vector<std::string>& paths);
  // The same as the list shows them: in decrypt mode each container's hint is read now, with `engine`.
  void AddShowingHints(const std::vector<std::string>& paths, TFileEngine& engine);
  // Takes the rows at these positions out of the list (any order; positions out of range are ignored).
  void Remove(std::vector<int> rows);

  // Runs every row in the batch's mode with `options` on up to `workers` threads (RunBatchRows). Each
  // row's Result and DecryptedPath are set as its result comes, before `observer` hears of it.
  void Run(int workers, TFileEngine& engine, const TBatchOptions& options, TBatchRowsObserver& observer);
  // Rows of the last run that failed.
  int FailureCount() const { return failures_; }
  // What the list says when the last run ended.
  TText Summary() const { return SummaryText(failures_); }

  // The last run was a decryption: what it left can be encrypted again.
  bool CanReEncrypt() const { return ranDecryption_; }
  // Turns a decrypted batch into the encryption of what it left: each row now shows its plain file
  // (DecryptedPath), encrypted by the next Run with its container's hint; a row that was not decrypted
  // keeps its container and fails as not re-encrypted.
  void BeginReEncryption();
  bool ReEncrypting() const { return reEncrypting_; }
  // After a re-encryption: the hint of the last row re-encrypted, which the next encryption proposes.
  const std::optional<std::string>& HintCarriedOver() const { return hintCarriedOver_; }

 private:
  class TRecorder;

  TBatchMode mode_;
  std::vector<TBatchRow> rows_;
  int failures_ = 0;
  bool ranDecryption_ = false;
  bool reEncrypting_ = false;
  std::optional<std::string> hintCarriedOver_;
};

}  // namespace zk
