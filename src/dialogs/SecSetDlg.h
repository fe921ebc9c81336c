// TSecSetDlg: the security level (the minimum password length for encryption) and the cipher of new
// containers, each with its description. The level lives in the program's state; the cipher is the
// selected index of AlgoComboBox, which the batch reads each time it encrypts.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

#include "ui/KTop.h"

namespace Ui {
class TSecSetDlg;
}

namespace zk {

class TWindows;

class TSecSetDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TSecSetDlg(TWindows& windows);
  ~TSecSetDlg() override;

  Ui::TSecSetDlg& Controls() const { return *ui_; }

  // 0 Twofish, 1 Rijndael, 2 GOST 28147-89; -1 when nothing is selected (the engine then uses Twofish).
  int32_t AlgorithmIndex() const;
  // An index outside 0 to 2 leaves the list without a selection.
  void SetAlgorithmIndex(int32_t index);

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void SecTrackBarChange(int position);
  void RefreshMemos();

  TWindows& windows_;
  std::unique_ptr<Ui::TSecSetDlg> ui_;
  TKTop KTop1;
};

}  // namespace zk
