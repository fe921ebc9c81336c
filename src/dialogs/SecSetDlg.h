// TSecSetDlg: the security level (the minimum password length for encryption) and the cipher of new
// containers, each with its description. Both are shown from the settings model and written back into it
// as they change.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

#include "shell/SettingsModel.h"
#include "ui/StayOnTop.h"

namespace Ui {
class TSecSetDlg;
}

namespace zk {

class TSecSetDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TSecSetDlg(TSettings& settings);
  ~TSecSetDlg() override;

  // The cipher list shows the settings' cipher.
  void ShowSettings();

  // 0 Twofish, 1 Rijndael, 2 GOST 28147-89; -1 when nothing is selected (the engine then uses Twofish).
  int32_t AlgorithmIndex() const;
  // An index outside 0 to 2 leaves the list without a selection; the settings follow.
  void SetAlgorithmIndex(int32_t index);

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void SecTrackBarChange(int position);
  void AlgoComboBoxChange();
  void RefreshMemos();

  TSettings& settings_;
  std::unique_ptr<Ui::TSecSetDlg> ui_;
  TStayOnTop stayOnTop_;
};

}  // namespace zk
