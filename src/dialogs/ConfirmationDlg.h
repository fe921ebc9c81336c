// TConfirmationDlg: the view of one batch (TBatch) — a list of files and a mode (encrypt, decrypt or wipe) —
// shown for confirmation, then run, each row marked with its result as it comes, and ended with the
// batch's summary; after a decryption run the decrypted files can be encrypted again. The table only shows
// the batch: what a run works on is read from the batch, never from the table.
//
// It keeps its options in the settings model and asks for a password through PasswordPrompt, which the
// owner of the windows sets.
//
// The rows run through the batch runner. On one core the run stays on the user-interface thread: the dialog
// is the engine's observer and lets pending events through when the engine asks, once per row and at random
// inside the file loops. On several, the rows run on worker threads that never touch a window; the dialog
// hears of the rows in progress, each result in list order and the bytes of the whole batch on its own
// thread, and lets events through each time.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Batch.h"
#include "engine/BatchRules.h"
#include "engine/BatchRunner.h"
#include "engine/EngineObserver.h"
#include "engine/FileEngine.h"
#include "platform/Cores.h"
#include "shell/SettingsModel.h"
#include "ui/SecretText.h"
#include "ui/StayOnTop.h"

namespace Ui {
class TConfirmationDlg;
}

namespace zk {

// What the command line asks of the runs beside its files. It holds for every batch that follows: a program
// started to run at once, or to end after its run, is there for that run alone.
struct TRunRequest {
  bool AutoRun = false;       // run as soon as the list is shown: no password dialog, no wipe warning
  bool ExitAfterRun = false;  // close the program when the run ends
  std::string Password;       // UTF-8; empty: asked for when the run starts
};

class TConfirmationDlg : public QDialog, private TEngineObserver, private TBatchRowsObserver {
  Q_OBJECT

 public:
  // Asks for the password of a run (and, encrypting, its hint); false when the user cancels.
  using TPasswordPrompt = std::function<bool(bool decrypting, TSecretText& password, std::string& hint)>;

  explicit TConfirmationDlg(TSettings& settings);
  ~TConfirmationDlg() override;

  void SetPasswordPrompt(TPasswordPrompt prompt) { passwordPrompt_ = std::move(prompt); }
  // How many rows run at once: the cores the program may use. With 1 they run one after another on this
  // thread, letting events through as often as the message-pump setting asks.
  void SetWorkers(int workers) { workers_ = workers; }
  // Overwrites the request's password once it is taken.
  void SetRunRequest(TRunRequest& request);

  // The engine of every run, also used by the command line's direct single-file form.
  TFileEngine& Engine() { return engine_; }
  // The batch the list shows.
  const TBatch& Batch() const { return batch_; }
  // The password of the last run is still held (kept for a re-encryption).
  bool HoldsPassword() const { return !password_.empty(); }

  // A new batch of `files` in `mode` (a decryption reads each container's hint now), handed over by
  // `caller`, which hides until this dialog closes.
  void StartBatch(TBatchMode mode, const std::vector<std::string>& files, QWidget& caller);
  // Shows `batch` for `caller` as StartBatch does, then runs it at once when the run request says so.
  void Start(TBatch batch, QWidget& caller);

 signals:
  // A run started with ExitAfterRun or AutoRun has ended: the program is to end too.
  void ProgramEndRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // TBatchRowsObserver; the engine's observer too, for the command line's direct single-file form
  void RowsInProgress(int first, int last) override;
  void RowDone(int row, const TRowResult& result) override;
  void Progress(const TProgress& progress) override;
  // Draws the progress line (at most at the rate an eye can follow), offers the skip button during a
  // source wipe and lets pending events through.
  void LetEventsThrough() override;
  bool SkipWipesRequested() override;
  void SourceWipeInProgress(bool inProgress) override;
  void ProcessMessages() override;

  void OKBitBtnClick();
  void ReEncBitBtnClick();
  void SkipWipeBitBtnClick();
  void RemoveSelectedRows();

  // The confirmation text and caption of the mode; runs at once with AutoRun.
  void PrepareList();
  bool AskPassword();
  // Some file of the list lies where the overwrite of a wipe may miss its old data.
  bool AnyOverwriteDoubt() const;
  void RunBatch();
  void FinishRun();
  TBatchOptions CurrentOptions() const;
  // The table shows the batch: every row, or one row whose result came.
  void ShowRows();
  void ShowRow(int row);
  void SetColumnText(int row, int column, const QString& text);
  // Each column as wide as its longest text, never narrower than the form's width for it.
  void FitColumns();
  void SetLocked(bool locked);
  void SetReEncButton(bool shown);
  void ShowSkipButton(bool shown);

  TSettings& settings_;
  std::unique_ptr<Ui::TConfirmationDlg> ui_;
  TStayOnTop stayOnTop_;
  TFileEngine engine_;
  TBatch batch_;
  TSecretText password_;
  TPasswordPrompt passwordPrompt_;
  int workers_ = AvailableCores();
  bool autoRun_ = false;
  bool exitAfterRun_ = false;
  QWidget* returnForm_ = nullptr;
  bool prepared_ = false;
  bool listEditable_ = false;
  bool running_ = false;
  bool sourceWiping_ = false;
  bool skipRequested_ = false;         // the skip button was pressed since the runner last asked
  std::optional<TProgress> progress_;  // the latest progress, shown when events are let through
  QElapsedTimer progressShown_;        // since the progress line was last drawn
};

}  // namespace zk
