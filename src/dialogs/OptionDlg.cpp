#include "dialogs/OptionDlg.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QUrl>

#include "engine/BatchRules.h"
#include "shell/Settings.h"
#include "ui/CoreTexts.h"
#include "ui/DialogFrame.h"
#include "ui/Messages.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"
#include "ui/QtText.h"
#include "ui/ReturnKey.h"
#include "ui/TypingLimit.h"
#include "ui_OptionDlg.h"

namespace zk {
namespace {

constexpr std::string_view kForbiddenInExtension = "\\/:,;*?\"<>|";

// The check boxes and the settings they show.
struct TOptionBox {
  bool TSettings::*Setting;
  QCheckBox* Ui::TOptionDlg::*Box;
};
constexpr TOptionBox kOptionBoxes[] = {
    {&TSettings::IncSubFolder, &Ui::TOptionDlg::IncSubFolderCheckBox},
    {&TSettings::WipeSource, &Ui::TOptionDlg::WipeSourceCheckBox},
    {&TSettings::WipeDecSource, &Ui::TOptionDlg::WipeDecSourceCheckBox},
    {&TSettings::StayOnTop, &Ui::TOptionDlg::DoTopCheckBox},
    {&TSettings::DontClearPassBox, &Ui::TOptionDlg::DontClearPassCheckBox},
    {&TSettings::SaveHint, &Ui::TOptionDlg::SaveHintCheckBox},
    {&TSettings::ReEnc, &Ui::TOptionDlg::UseReEncCheckBox},
    {&TSettings::ShowWipeButton, &Ui::TOptionDlg::TopWipeCheckBox},
};

constexpr int kExtensionTypingLimit = 10;

bool IsActivationKey(const QEvent& event) {
  if (event.type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent&>(event).key();
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

}  // namespace

TOptionDlg::TOptionDlg(TSettings& settings, const std::string& settingsFile, const QString& programName)
    : QDialog(nullptr, kSystemMenuDialog),
      settings_(settings),
      settingsFile_(settingsFile),
      ui_(std::make_unique<Ui::TOptionDlg>()),
      stayOnTop_(*this, true) {
  ui_->setupUi(this);
  setFixedSize(size());
  ui_->Image1->setPixmap(Picture(TPicture::kProgram).pixmap(ui_->Image1->size()));
  ui_->WipeSpeedButton->setIcon(Picture(TPicture::kWipeBin));
  ui_->Label2->setText(tr("WEBサイト%1では最新版や他ソフト等の公開を行っておりますので是非お越し下さい。")
                           .arg(ToQString(kWebAddress)));
  ui_->Label5->setText(ToQString(kWebAddress));
  ui_->NameLabel->setText(programName);
  for (QLabel* link : {ui_->Label2, ui_->Label4, ui_->Label5}) {
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
  }

  for (const TOptionBox& option : kOptionBoxes)
    connect(ui_.get()->*option.Box, &QCheckBox::clicked, this, &TOptionDlg::CheckBoxClick);
  for (QRadioButton* button : {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3})
    connect(button, &QRadioButton::clicked, this, &TOptionDlg::NamingButtonClick);
  // The box shows the stored extension as text; the stored bytes stay as they are until the text changes.
  connect(ui_->ExtChgEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text != ToQString(settings_.OwnExtStr)) settings_.OwnExtStr = ToStdString(text);
  });
  connect(ui_->SecSetBitBtn, &QPushButton::clicked, this, &TOptionDlg::SecurityRequested);
  connect(ui_->Sha1BitBtn, &QPushButton::clicked, this, &TOptionDlg::HashToolRequested);
  connect(ui_->ClrHashBitBtn, &QPushButton::clicked, this, &TOptionDlg::ClrHashBitBtnClick);
  connect(ui_->CloseBitBtn, &QPushButton::clicked, this, &TOptionDlg::close);
  connect(ui_->WipeSpeedButton, &QToolButton::clicked, this, &TOptionDlg::WipeBinClicked);

  LimitTyping(*ui_->ExtChgEdit, kExtensionTypingLimit);  // a longer one from the settings file stays whole
  WipeDropWatch.SetWatchControl(ui_->Panel1);
  WipeDropWatch.SetEnabled(true);
  WipeDropWatch.OnFilesDropped = [this](TDropWatch&, int, int, const std::vector<std::string>& files) {
    emit WipeBinDropped(files);
  };
}

TOptionDlg::~TOptionDlg() = default;

void TOptionDlg::ShowSettings() {
  for (const TOptionBox& option : kOptionBoxes)
    (ui_.get()->*option.Box)->setChecked(settings_.*option.Setting);
  // Auto-exclusive buttons refuse to be all unchecked, which the settings allow; the buttons are set with
  // the exclusion lifted.
  QRadioButton* const buttons[] = {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3};
  const bool flags[] = {settings_.DefaultExt, settings_.OwnExt, settings_.RandomExt};
  for (int i = 0; i < 3; ++i) {
    buttons[i]->setAutoExclusive(false);
    buttons[i]->setChecked(flags[i]);
    buttons[i]->setAutoExclusive(true);
  }
  ui_->ExtChgEdit->setText(ToQString(settings_.OwnExtStr));
  EnableExtensionBox();
}

void TOptionDlg::NamingButtonClick() {
  if (ui_->RadioButton1->isChecked()) settings_.SetNamingMode(kNamingStandard);
  if (ui_->RadioButton2->isChecked()) settings_.SetNamingMode(kNamingOwnExtension);
  if (ui_->RadioButton3->isChecked()) settings_.SetNamingMode(kNamingRandom);
  EnableExtensionBox();
}

void TOptionDlg::EnableExtensionBox() {
  if (settings_.DefaultExt || settings_.OwnExt || settings_.RandomExt)
    ui_->ExtChgEdit->setEnabled(!settings_.DefaultExt);
}

bool TOptionDlg::CheckAdaptForFileName(const QString& text) {
  for (char forbidden : kForbiddenInExtension)
    if (text.contains(QLatin1Char(forbidden))) return false;
  return true;
}

void TOptionDlg::CheckBoxClick() {
  for (const TOptionBox& option : kOptionBoxes)
    settings_.*option.Setting = (ui_.get()->*option.Box)->isChecked();
  emit SettingsChanged();
}

void TOptionDlg::showEvent(QShowEvent* event) {
  ShowSettings();
  CenterOnScreen(*this);
  ui_->CloseBitBtn->setFocus();
  QDialog::showEvent(event);
}

bool TOptionDlg::FormCloseQuery() {
  if (settings_.NamingMode() != kNamingOwnExtension) return true;
  const QString extension = ui_->ExtChgEdit->text().trimmed();
  if (!extension.isEmpty() && CheckAdaptForFileName(ui_->ExtChgEdit->text()) &&
      extension != QStringLiteral("."))
    return true;
  prompts::Warning(this, tr("拡張子の設定が不正です。正しく設定しなおして下さい。\r\n(不正な拡張子とは%"
                            "1が含まれる、空である、.だけなどです。)")
                             .arg(ToQString(kForbiddenInExtension)));
  ui_->ExtChgEdit->setText(ToQString(settings::kOwnExtStr.defaultValue));
  ui_->ExtChgEdit->setFocus();
  return false;
}

void TOptionDlg::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
  emit Closed();
}

void TOptionDlg::reject() { close(); }

void TOptionDlg::keyPressEvent(QKeyEvent* event) {
  if (!PressFocusedButton(*this, *event)) QDialog::keyPressEvent(event);
}

void TOptionDlg::ClrHashBitBtnClick() {
  if (!prompts::Confirm(
          this,
          tr("パスワードの照合のために登録されているハッシュデータとパスワードヒントをクリアしますか？")))
    return;
  settings_.CheckValue.clear();
  settings_.PassHint.clear();
  try {
    WriteSetting(settings::kPassHash, "", settingsFile_);
    WriteSetting(settings::kPassHint, "", settingsFile_);
  } catch (const std::exception& error) {
    prompts::Error(this, ErrorText(error));
    return;
  }
  prompts::Information(this, tr("ハッシュデータとパスワードヒントをクリアしました。"));
}

bool TOptionDlg::eventFilter(QObject* watched, QEvent* event) {
  // Label2, Label4 and Label5 open the web site on a click; Label5, the link itself, also from the keyboard.
  if (event->type() == QEvent::MouseButtonRelease || (watched == ui_->Label5 && IsActivationKey(*event))) {
    QDesktopServices::openUrl(QUrl(ToQString(kWebAddress)));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zk
