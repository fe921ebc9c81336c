// TMainForm: the small main window through which every batch starts — the encrypt and decrypt buttons,
// the options button and the wipe-bin button, each click opening the file-open dialog and each button
// taking dropped files and folders. Closing it saves the settings and ends the program.
#pragma once

#include <QFileDialog>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/BatchRules.h"
#include "shell/FindFile.h"
#include "ui/DropWatch.h"
#include "ui/KTop.h"

namespace Ui {
class TMainForm;
}

namespace zk {

class TWindows;

class TMainForm : public QWidget {
  Q_OBJECT

 public:
  explicit TMainForm(TWindows& windows);
  ~TMainForm() override;

  Ui::TMainForm& Controls() const { return *ui_; }

  // Serves every folder expansion of the program, the options dialog's too.
  TFindFile FindFile;
  TKTop KTop;
  // The file-open dialog of the three buttons and of the options dialog's wipe bin.
  QFileDialog OpenDialog;

  // A batch from the chosen or dropped paths, taken through the main window's intake.
  void StartBatch(TBatchMode mode, const std::vector<std::string>& paths);
  // The file-open dialog on behalf of `caller`: the chosen paths, nothing when cancelled.
  std::optional<std::vector<std::string>> ChooseFiles(QWidget& caller);
  // The buttons' actions, also taken by a command line that names no file.
  void EncBitBtnClick();
  void DecBitBtnClick();
  void WipeBitBtnClick();
  void OptionBitBtnClick();
  // The window's outer height and the wipe-bin button follow the options dialog's TopWipeCheckBox.
  void ApplyLayout();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void StartupBlock();
  void StartBatchFromDialog(TBatchMode mode);
  void HookDropWatch(TDropWatch& watch, QWidget* button, TBatchMode mode);

  TWindows& windows_;
  std::unique_ptr<Ui::TMainForm> ui_;
  TDropWatch EncriptDropWatch;
  TDropWatch DecriptDropWatch;
  TDropWatch WipeDropWatch;
};

}  // namespace zk
