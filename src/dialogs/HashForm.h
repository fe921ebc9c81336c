// THashForm: the SHA-1 digest of any file, shown as five groups of eight hexadecimal digits that can be
// selected and copied.
#pragma once

#include <QDialog>
#include <QFileDialog>
#include <memory>

#include "crypto/SecHash.h"
#include "ui/StayOnTop.h"

namespace Ui {
class THashForm;
}

namespace zk {

class THashForm : public QDialog {
  Q_OBJECT

 public:
  // The file-open dialog starts in `startFolder`.
  explicit THashForm(const std::string& startFolder);
  ~THashForm() override;

  QFileDialog OpenDialog;
  TSecHash SecHash;

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OpenButtonClick();

  std::unique_ptr<Ui::THashForm> ui_;
  TStayOnTop stayOnTop_;
};

}  // namespace zk
