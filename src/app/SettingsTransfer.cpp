#include "app/SettingsTransfer.h"

#include <QCheckBox>

#include "app/MainForm.h"
#include "app/Windows.h"
#include "dialogs/ConfirmationDlg.h"
#include "dialogs/OptionDlg.h"
#include "dialogs/SecSetDlg.h"
#include "shell/Settings.h"
#include "ui/QtText.h"
#include "ui_OptionDlg.h"

namespace zk {
namespace {

// The option check boxes and their keys, in the order they are loaded and saved.
struct TOptionBox {
  const IniKey<bool>& Key;
  QCheckBox* Ui::TOptionDlg::*Box;
};
const TOptionBox kOptionBoxes[] = {
    {settings::kWipeSource, &Ui::TOptionDlg::WipeSourceCheckBox},
    {settings::kWipeDecSource, &Ui::TOptionDlg::WipeDecSourceCheckBox},
    {settings::kMainTop, &Ui::TOptionDlg::DoTopCheckBox},
    {settings::kDontClearPassBox, &Ui::TOptionDlg::DontClearPassCheckBox},
    {settings::kSaveHint, &Ui::TOptionDlg::SaveHintCheckBox},
    {settings::kReEnc, &Ui::TOptionDlg::UseReEncCheckBox},
    {settings::kTopWipe, &Ui::TOptionDlg::TopWipeCheckBox},
};

}  // namespace

void LoadStartupSettings(TWindows& windows) {
  const std::string& file = windows.State.SettingsFile;
  Ui::TOptionDlg& options = windows.OptionDlg().Controls();
  for (const TOptionBox& option : kOptionBoxes) {
    (options.*option.Box)->setChecked(ReadSetting(option.Key, file));
    if (option.Box == &Ui::TOptionDlg::DoTopCheckBox)
      windows.MainForm().KTop.SetKTop(options.DoTopCheckBox->isChecked());
  }
  windows.ConfirmationDlg().Hint =
      options.SaveHintCheckBox->isChecked() ? ReadSetting(settings::kPassHint, file) : std::string();
  windows.OptionDlg().SetNamingButtons(ReadSetting(settings::kDefaultExt, file),
                                       ReadSetting(settings::kOwnExt, file),
                                       ReadSetting(settings::kRandomExt, file));
  options.ExtChgEdit->setText(ToQString(ReadSetting(settings::kOwnExtStr, file)));
  windows.OptionDlg().ApplyNamingChoice();
  windows.SecSetDlg().SetAlgorithmIndex(ReadSetting(settings::kAlgorithm, file));
}

void SaveSettings(TWindows& windows) {
  const std::string& file = windows.State.SettingsFile;
  const TMainForm& main = windows.MainForm();
  const Ui::TOptionDlg& options = windows.OptionDlg().Controls();
  WriteSetting(settings::kX, main.x(), file);
  WriteSetting(settings::kY, main.y(), file);
  WriteSetting(settings::kIncSubFolder, main.FindFile.Recurse, file);
  for (const TOptionBox& option : kOptionBoxes)
    WriteSetting(option.Key, (options.*option.Box)->isChecked(), file);
  if (options.SaveHintCheckBox->isChecked())
    WriteSetting(settings::kPassHint, windows.ConfirmationDlg().Hint, file);
  WriteSetting(settings::kPassHash, windows.State.PassHash, file);
  WriteSetting(settings::kSecLevel, windows.State.SecLevel, file);
  WriteSetting(settings::kDefaultExt, options.RadioButton1->isChecked(), file);
  WriteSetting(settings::kOwnExt, options.RadioButton2->isChecked(), file);
  WriteSetting(settings::kRandomExt, options.RadioButton3->isChecked(), file);
  WriteSetting(settings::kOwnExtStr, ToStdString(options.ExtChgEdit->text()), file);
  WriteSetting(settings::kAlgorithm, windows.SecSetDlg().AlgorithmIndex(), file);
  WriteSetting(settings::kFirstExec, false, file);
}

}  // namespace zk
