// TPasswordDlg: the password of an encryption or decryption run, and for encryption the hint and what to
// do with the registered check value. The batch asks through Ask; the dialog reads and writes the check
// value, the level and the remembered hint in the settings model.
#pragma once

#include <QDialog>
#include <QRadioButton>
#include <memory>
#include <string>

#include "shell/SettingsModel.h"
#include "ui/SecretText.h"
#include "ui/StayOnTop.h"

namespace Ui {
class TPasswordDlg;
}

namespace zk {

class TFileEngine;

class TPasswordDlg : public QDialog {
  Q_OBJECT

 public:
  // `engine` gives the check value of a password.
  TPasswordDlg(TSettings& settings, TFileEngine& engine);
  ~TPasswordDlg() override;

  // Set before each showing: a decryption asks for the password once and nothing else.
  bool DecryptMode = false;

  // Shows the dialog modally. On OK the typed password replaces `password` and the hint box's text
  // `hint`; the boxes are then emptied as the settings ask. False when cancelled.
  bool Ask(bool decryptMode, TSecretText& password, std::string& hint);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void ClearBoxes();
  void ApplyModeLayout();
  void RefreshLayout();
  void ShowStrength();
  void AcceptPassword();
  bool CheckValueRegistered() const;
  // The three choices under "パスワードの照合", in the form's order.
  enum class TCheckChoice { kCompareWithRegistered, kRegister, kNoCheck };
  QRadioButton& ChoiceButton(TCheckChoice choice) const;
  bool Chosen(TCheckChoice choice) const { return ChoiceButton(choice).isChecked(); }
  bool HintAndCodePageAccepted(const std::string& password, const std::string& hint);

  TSettings& settings_;
  TFileEngine& engine_;
  std::unique_ptr<Ui::TPasswordDlg> ui_;
  TStayOnTop stayOnTop_;
};

}  // namespace zk
