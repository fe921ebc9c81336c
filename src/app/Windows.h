// TWindows: the six windows of the program over one settings model, created once in a fixed order and kept
// until the end. It is the one place that wires them together: each window only says what it wants next
// (signals, the batch's password prompt), and this object answers.
#pragma once

#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/HandOver.h"
#include "app/ProgramState.h"
#include "shell/SettingsModel.h"

namespace zk {

class TMainForm;
class TConfirmationDlg;
class TOptionDlg;
class TPasswordDlg;
class TSecSetDlg;
class THashForm;

class TWindows : public QObject {
  Q_OBJECT

 public:
  // Reads the settings from State.SettingsFile, then makes the windows.
  explicit TWindows(TProgramState state);
  ~TWindows() override;

  TProgramState State;
  TSettings Settings;

  TMainForm& MainForm() const { return *mainForm_; }
  TConfirmationDlg& ConfirmationDlg() const { return *confirmationDlg_; }
  TOptionDlg& OptionDlg() const { return *optionDlg_; }
  TPasswordDlg& PasswordDlg() const { return *passwordDlg_; }
  TSecSetDlg& SecSetDlg() const { return *secSetDlg_; }
  THashForm& HashForm() const { return *hashForm_; }

  // Files handed over by a second start. The program comes to the front at once; the files are taken as a
  // drop on the main window's button of their mode as soon as the main window is back with nothing else
  // open: a list (ready, running or showing its results), the options, the SHA-1 tool or any message waits
  // until the user closes it. Hand-overs that wait are taken one after the other, in the order they came.
  void TakeHandOver(THandOver handOver);

 private:
  void WireMainForm();
  void WireBatch();
  void WireOptions();
  // The main window's first showing: the start-up messages, the settings shown, then the command line.
  void StartUp();
  // The main window closes: the settings are written; a refusal is reported.
  void SaveSettings();
  // The options dialog's wipe bin takes only a plain folder apart; anything else is listed as it stands.
  void StartWipeBin(const std::vector<std::string>& paths);
  // Nothing but the main window is open, and the start-up block has run.
  bool ReadyForHandOver() const;
  void TakeWaitingHandOver();
  void BringToFront();

  std::unique_ptr<TMainForm> mainForm_;
  std::unique_ptr<TConfirmationDlg> confirmationDlg_;
  std::unique_ptr<TOptionDlg> optionDlg_;
  std::unique_ptr<TPasswordDlg> passwordDlg_;
  std::unique_ptr<TSecSetDlg> secSetDlg_;
  std::unique_ptr<THashForm> hashForm_;
  bool startedUp_ = false;
  std::deque<THandOver> handOvers_;
  QTimer handOverTimer_;  // looks again while hand-overs wait
};

}  // namespace zk
