// TOptionDlg: the options, whose controls are also their live store (loaded at start-up, read by the rest
// of the program when needed, saved when the main window closes); a second wipe bin; the doors to the
// security dialog and the SHA-1 tool; the clearing of the registered check value and hint; and a few
// lines about the program.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "ui/DropWatch.h"
#include "ui/KTop.h"

namespace Ui {
class TOptionDlg;
}

namespace zk {

class TWindows;

class TOptionDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TOptionDlg(TWindows& windows);
  ~TOptionDlg() override;

  Ui::TOptionDlg& Controls() const { return *ui_; }

  // The naming buttons as three stored flags give them: the last flag that is set wins; with none set no
  // button is checked.
  void SetNamingButtons(bool standard, bool ownExtension, bool randomName);
  // NamingMode follows the checked button; the extension box is usable for the two modes that use it.
  void ApplyNamingChoice();

  // True when `text` holds none of \ / : , ; * ? " < > |.
  static bool CheckAdaptForFileName(const QString& text);

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool FormCloseQuery();
  void IncSubFolderCheckBoxClick();
  void DoTopCheckBoxClick();
  void ClrHashBitBtnClick();
  void WipeSpeedButtonClick();
  void StartWipeBatch(const std::vector<std::string>& paths);

  TWindows& windows_;
  std::unique_ptr<Ui::TOptionDlg> ui_;
  TKTop KTop1;
  TDropWatch WipeDropWatch;
};

}  // namespace zk
