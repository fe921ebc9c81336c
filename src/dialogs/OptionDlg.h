// TOptionDlg: the options, shown from the settings model and written back into it as they change; a second
// wipe bin; the doors to the security dialog and the SHA-1 tool; the clearing of the registered check value
// and hint; and a few lines about the program. What lies beyond it, the owner of the windows does on its
// signals.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "shell/SettingsModel.h"
#include "ui/DropWatch.h"
#include "ui/StayOnTop.h"

namespace Ui {
class TOptionDlg;
}

namespace zk {

class TOptionDlg : public QDialog {
  Q_OBJECT

 public:
  // `settingsFile` takes the clearing of the check value and hint at once; `programName` is shown.
  TOptionDlg(TSettings& settings, const std::string& settingsFile, const QString& programName);
  ~TOptionDlg() override;

  // The controls show the settings.
  void ShowSettings();

  // True when `text` holds none of \ / : , ; * ? " < > |.
  static bool CheckAdaptForFileName(const QString& text);

  void reject() override;

 signals:
  // A check box was changed; the settings hold its new state.
  void SettingsChanged();
  void SecurityRequested();
  void HashToolRequested();
  // The wipe bin was clicked (choose the files) or had files dropped on it.
  void WipeBinClicked();
  void WipeBinDropped(const std::vector<std::string>& paths);
  void Closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool FormCloseQuery();
  void CheckBoxClick();
  void NamingButtonClick();
  // The extension box is usable for the two naming modes that use it; with no button checked it stays.
  void EnableExtensionBox();
  void ClrHashBitBtnClick();

  TSettings& settings_;
  const std::string settingsFile_;
  std::unique_ptr<Ui::TOptionDlg> ui_;
  TStayOnTop stayOnTop_;
  TDropWatch WipeDropWatch;
};

}  // namespace zk
