#include "app/Windows.h"

#include <QApplication>

#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "dialogs/ConfirmationDlg.h"
#include "dialogs/HashForm.h"
#include "dialogs/OptionDlg.h"
#include "dialogs/PasswordDlg.h"
#include "dialogs/SecSetDlg.h"
#include "shell/PathIntake.h"
#include "ui/CoreTexts.h"
#include "ui/Messages.h"
#include "ui/Prompts.h"
#include "ui/QtText.h"

namespace zk {

TWindows::TWindows(TProgramState state) : State(std::move(state)) {
  Settings.Load(State.SettingsFile);
  mainForm_ = std::make_unique<TMainForm>(Settings, State);
  confirmationDlg_ = std::make_unique<TConfirmationDlg>(Settings);
  optionDlg_ = std::make_unique<TOptionDlg>(Settings, State.SettingsFile, mainForm_->windowTitle());
  passwordDlg_ = std::make_unique<TPasswordDlg>(Settings, confirmationDlg_->Engine());
  secSetDlg_ = std::make_unique<TSecSetDlg>(Settings);
  hashForm_ = std::make_unique<THashForm>(State.StartFolder);
  WireMainForm();
  WireBatch();
  WireOptions();
  handOverTimer_.setInterval(200);
  connect(&handOverTimer_, &QTimer::timeout, this, &TWindows::TakeWaitingHandOver);
}

// Members go in the reverse order of their declaration: the windows in the reverse order of their making.
TWindows::~TWindows() = default;

void TWindows::WireMainForm() {
  connect(mainForm_.get(), &TMainForm::FirstShown, this, &TWindows::StartUp);
  connect(mainForm_.get(), &TMainForm::Closing, this, &TWindows::SaveSettings);
  connect(mainForm_.get(), &TMainForm::BatchRequested, this,
          [this](TBatchMode mode, const std::vector<std::string>& files) {
            confirmationDlg_->StartBatch(mode, files, *mainForm_);
          });
  connect(mainForm_.get(), &TMainForm::OptionsRequested, optionDlg_.get(), &TOptionDlg::show);
}

void TWindows::WireBatch() {
  confirmationDlg_->SetPasswordPrompt([this](bool decrypting, TSecretText& password, std::string& hint) {
    return passwordDlg_->Ask(decrypting, password, hint);
  });
  connect(confirmationDlg_.get(), &TConfirmationDlg::ProgramEndRequested, mainForm_.get(), &TMainForm::close);
}

void TWindows::WireOptions() {
  TOptionDlg* options = optionDlg_.get();
  connect(options, &TOptionDlg::SettingsChanged, mainForm_.get(), &TMainForm::ApplySettings);
  connect(options, &TOptionDlg::SecurityRequested, secSetDlg_.get(), &TSecSetDlg::exec);
  connect(options, &TOptionDlg::HashToolRequested, hashForm_.get(), &THashForm::exec);
  connect(options, &TOptionDlg::WipeBinClicked, this, [this] {
    if (const std::optional<std::vector<std::string>> chosen = mainForm_->ChooseFiles(*optionDlg_))
      StartWipeBin(*chosen);
  });
  connect(options, &TOptionDlg::WipeBinDropped, this, &TWindows::StartWipeBin);
  connect(options, &TOptionDlg::Closed, mainForm_.get(), &TMainForm::show);
}

void TWindows::StartUp() {
  TMainForm& main = *mainForm_;
  prompts::Information(&main, MessageText(kPublicTestNotice));
  if (Settings.FirstExec) prompts::Information(&main, MessageText(kFirstRunMessage));
  optionDlg_->ShowSettings();
  secSetDlg_->ShowSettings();
  main.ApplySettings();
  main.ApplyLayout();
  if (!State.CommandLine.empty()) ProcessCommandLine(*this);
  startedUp_ = true;
}

void TWindows::SaveSettings() {
  Settings.FirstExec = false;
  try {
    Settings.Save(State.SettingsFile);
  } catch (const std::exception& error) {
    prompts::Error(mainForm_.get(), ErrorText(error));
  }
}

void TWindows::StartWipeBin(const std::vector<std::string>& paths) {
  confirmationDlg_->StartBatch(TBatchMode::kWipe, CollectWipeBinFiles(mainForm_->FindFile, paths),
                               *optionDlg_);
}

void TWindows::TakeHandOver(THandOver handOver) {
  handOvers_.push_back(std::move(handOver));
  BringToFront();
  handOverTimer_.start();
}

bool TWindows::ReadyForHandOver() const {
  if (!startedUp_ || !mainForm_->isVisible() || QApplication::activeModalWidget()) return false;
  for (const QWidget* window : std::initializer_list<const QWidget*>{
           confirmationDlg_.get(), optionDlg_.get(), passwordDlg_.get(), secSetDlg_.get(), hashForm_.get()})
    if (window->isVisible()) return false;
  return true;
}

void TWindows::TakeWaitingHandOver() {
  if (handOvers_.empty()) {
    handOverTimer_.stop();
    return;
  }
  if (!ReadyForHandOver()) return;
  const THandOver handOver = std::move(handOvers_.front());
  handOvers_.pop_front();
  mainForm_->StartBatch(handOver.Mode, handOver.Paths);
}

void TWindows::BringToFront() {
  QWidget* front = QApplication::activeModalWidget();
  for (QWidget* window : {static_cast<QWidget*>(confirmationDlg_.get()), static_cast<QWidget*>(optionDlg_.get()),
                          static_cast<QWidget*>(mainForm_.get())})
    if (!front && window->isVisible()) front = window;
  if (!front) return;
  front->setWindowState(front->windowState() & ~Qt::WindowMinimized);
  front->raise();
  front->activateWindow();
}

}  // namespace zk
