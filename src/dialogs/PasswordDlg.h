// TPasswordDlg: the password of an encryption or decryption run, and for encryption the hint and what to
// do with the registered check value. The batch shows it modally and reads PassEdit and HintEdit on OK.
#pragma once

#include <QDialog>
#include <memory>

#include "ui/KTop.h"

namespace Ui {
class TPasswordDlg;
}

namespace zk {

class TWindows;

class TPasswordDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TPasswordDlg(TWindows& windows);
  ~TPasswordDlg() override;

  Ui::TPasswordDlg& Controls() const { return *ui_; }

  // Set by the batch before each showing: a decryption asks for the password once and nothing else.
  bool DecryptMode = false;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void ApplyModeLayout();
  void RefreshLayout();
  void BitBtn1Click();
  bool CheckValueRegistered() const;

  TWindows& windows_;
  std::unique_ptr<Ui::TPasswordDlg> ui_;
  TKTop KTop1;
};

}  // namespace zk
