// TConfirmationDlg: one batch — a list of files and a mode (encrypt, decrypt or wipe) — shown for
// confirmation, then run row by row through the engine's row rules, each row marked with its result, and
// ended with a summary; after a decryption run the decrypted files can be encrypted again.
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
#include <string_view>
#include <vector>

#include "engine/BatchRules.h"
#include "engine/BatchRunner.h"
#include "engine/EngineObserver.h"
#include "engine/FileEngine.h"
#include "platform/Cores.h"
#include "shell/SettingsModel.h"
#include "ui/StayOnTop.h"
#include "ui/SecretText.h"

namespace Ui {
class TConfirmationDlg;
}

namespace zk {

class TConfirmationDlg : public QDialog, private TEngineObserver, private TBatchRowsObserver {
  Q_OBJECT

 public:
  explicit TConfirmationDlg(TSettings& settings);
  ~TConfirmationDlg() override;

  // The batch. Texts are UTF-8; the engine converts them for the container. The hint of the runs is the
  // settings' PassHint.
  TBatchMode Mode = TBatchMode::kEncrypt;
  TSecretText Password;
  bool AutoRun = false;       // run as soon as the list is prepared: no password dialog, no wipe warning
  bool ExitAfterRun = false;  // close the program when the run ends
  QWidget* ReturnForm = nullptr;
  // How many rows run at once: the cores the program may use. With 1 they run one after another on this
  // thread, letting events through as often as the message-pump setting asks.
  int Workers = AvailableCores();
  // Asks for the password of a run (and, encrypting, its hint); false when the user cancels.
  std::function<bool(bool decrypting, TSecretText& password, std::string& hint)> PasswordPrompt;

  // The engine of every run, also used by the command line's direct single-file form.
  TFileEngine& Engine() { return engine_; }

  void ClearList();
  // A row for one file; in decrypt mode the container's hint is read now and shown beside it.
  void AddFile(const std::string& path);
  int FileCount() const;
  std::string FilePath(int row) const;

  // A new batch of `files` in `mode`, handed over by `caller`, which hides until this dialog closes.
  void StartBatch(TBatchMode mode, const std::vector<std::string>& files, QWidget& caller);
  // Hides `caller`, which comes back when this dialog closes, then shows and prepares the list.
  void ShowFor(QWidget& caller);
  // The confirmation text and caption of the mode; runs at once with AutoRun.
  void PrepareList();

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
  void ListViewKeyDown(QKeyEvent& event);

  bool AskPassword();
  // Some file of the list lies where the overwrite of a wipe may miss its old data.
  bool AnyOverwriteDoubt() const;
  void RunBatch();
  void FinishRun();
  TBatchOptions CurrentOptions() const;
  void SetColumnText(int row, int column, const QString& text);
  // Each column as wide as its longest text, never narrower than the form's width for it.
  void FitColumns();
  // A column naming a file shows its path and keeps the bytes the file system gave it.
  std::string PathColumn(int row, int column) const;
  void SetPathColumn(int row, int column, const std::string& path);
  void SetLocked(bool locked);
  void SetReEncButton(bool shown);
  void ShowSkipButton(bool shown);

  TSettings& settings_;
  std::unique_ptr<Ui::TConfirmationDlg> ui_;
  TStayOnTop stayOnTop_;
  TFileEngine engine_;
  bool Prepared = false;
  bool ListEditable = false;
  bool ReEncrypting = false;
  bool running_ = false;
  bool sourceWiping_ = false;
  bool skipRequested_ = false;  // the skip button was pressed since the runner last asked
  int FailCount = 0;
  // The rows of the run in progress, read by the worker threads: what each row shows and works on.
  std::vector<std::string> rowPaths_;
  std::vector<std::string> rowSources_;  // re-encrypting: the plain files the decryption left
  std::vector<std::string> rowHints_;    // re-encrypting: the hint of each row's container
  std::optional<TProgress> progress_;    // the latest progress, shown when events are let through
  QElapsedTimer progressShown_;          // since the progress line was last drawn
};

}  // namespace zk
