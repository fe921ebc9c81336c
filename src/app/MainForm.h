// TMainForm: the small main window through which every batch starts — the encrypt and decrypt buttons,
// the options button and the wipe-bin button, each click opening the file-open dialog and each button
// taking dropped files and folders. What the buttons start, the owner of the windows does: the window only
// says so (BatchRequested, OptionsRequested). Closing it ends the program.
#pragma once

#include <QFileDialog>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "engine/BatchRules.h"
#include "shell/FindFile.h"
#include "shell/SettingsModel.h"
#include "ui/DropWatch.h"
#include "ui/StayOnTop.h"

namespace Ui {
class TMainForm;
}

namespace zk {

class TMainForm : public QWidget {
  Q_OBJECT

 public:
  TMainForm(TSettings& settings, TProgramState& state);
  ~TMainForm() override;

  // Serves every folder expansion of the program, the options dialog's too.
  TFindFile FindFile;
  TStayOnTop stayOnTop_;
  // The file-open dialog of the three buttons and of the options dialog's wipe bin.
  QFileDialog OpenDialog;

  // A batch from the chosen or dropped paths, taken through the main window's intake (BatchRequested).
  void StartBatch(TBatchMode mode, const std::vector<std::string>& paths);
  // The file-open dialog on behalf of `caller`: the chosen paths, nothing when cancelled.
  std::optional<std::vector<std::string>> ChooseFiles(QWidget& caller);
  // The buttons' actions, also taken by a command line that names no file.
  void EncBitBtnClick();
  void DecBitBtnClick();
  void WipeBitBtnClick();
  void OptionBitBtnClick();
  // The window's outer height and the wipe-bin button follow TopWipe.
  void ApplyLayout();
  // Stay-on-top and the folder expansion follow MainTop and IncSubFolder.
  void ApplySettings();

 signals:
  void BatchRequested(TBatchMode mode, const std::vector<std::string>& files);
  void OptionsRequested();
  // Once, after the window's first showing has painted.
  void FirstShown();
  // Before the program ends; X and Y of the settings hold the window's place.
  void Closing();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormCreate();
  void StartBatchFromDialog(TBatchMode mode);
  void HookDropWatch(TDropWatch& watch, QWidget* button, TBatchMode mode);

  TSettings& settings_;
  TProgramState& state_;
  bool shownBefore_ = false;
  std::unique_ptr<Ui::TMainForm> ui_;
  TDropWatch EncriptDropWatch;
  TDropWatch DecriptDropWatch;
  TDropWatch WipeDropWatch;
};

}  // namespace zk
