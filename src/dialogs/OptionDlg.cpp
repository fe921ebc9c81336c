#include "dialogs/OptionDlg.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QUrl>

#include "app/MainForm.h"
#include "app/Windows.h"
#include "dialogs/ConfirmationDlg.h"
#include "dialogs/HashForm.h"
#include "dialogs/SecSetDlg.h"
#include "shell/PathIntake.h"
#include "shell/Settings.h"
#include "ui/DialogFrame.h"
#include "ui/Messages.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"
#include "ui/QtText.h"
#include "ui_OptionDlg.h"

namespace zk {
namespace {

constexpr std::string_view kForbiddenInExtension = "\\/:,;*?\"<>|";
const QString kDefaultExtension = QStringLiteral(".bmp");

const QString kBadExtension =
    QStringLiteral("拡張子の設定が不正です。正しく設定しなおして下さい。\r\n(不正な拡張子とは") +
    ToQString(kForbiddenInExtension) + QStringLiteral("が含まれる、空である、.だけなどです。)");
const QString kClearQuestion = QStringLiteral(
    "パスワードの照合のために登録されているハッシュデータとパスワードヒントをクリアしますか？");
const QString kCleared = QStringLiteral("ハッシュデータとパスワードヒントをクリアしました。");

}  // namespace

TOptionDlg::TOptionDlg(TWindows& windows)
    : QDialog(nullptr, kSystemMenuDialog),
      windows_(windows),
      ui_(std::make_unique<Ui::TOptionDlg>()),
      KTop1(*this, true) {
  ui_->setupUi(this);
  setFixedSize(size());
  ui_->Image1->setPixmap(Picture(TPicture::kProgram).pixmap(ui_->Image1->size()));
  ui_->WipeSpeedButton->setIcon(Picture(TPicture::kWipeBin));
  ui_->Label2->setText(QStringLiteral("WEBサイト") + ToQString(kWebAddress) +
                       QStringLiteral("では最新版や他ソフト等の公開を行っておりますので是非お越し下さい。"));
  ui_->Label5->setText(ToQString(kWebAddress));
  for (QLabel* link : {ui_->Label2, ui_->Label4, ui_->Label5}) {
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
  }

  for (QCheckBox* box : {ui_->IncSubFolderCheckBox, ui_->WipeSourceCheckBox, ui_->WipeDecSourceCheckBox})
    connect(box, &QCheckBox::clicked, this, &TOptionDlg::IncSubFolderCheckBoxClick);
  for (QCheckBox* box : {ui_->DoTopCheckBox, ui_->DontClearPassCheckBox, ui_->SaveHintCheckBox,
                         ui_->UseReEncCheckBox, ui_->TopWipeCheckBox})
    connect(box, &QCheckBox::clicked, this, &TOptionDlg::DoTopCheckBoxClick);
  for (QRadioButton* button : {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3})
    connect(button, &QRadioButton::clicked, this, &TOptionDlg::ApplyNamingChoice);
  connect(ui_->SecSetBitBtn, &QPushButton::clicked, this, [this] { windows_.SecSetDlg().exec(); });
  connect(ui_->Sha1BitBtn, &QPushButton::clicked, this, [this] { windows_.HashForm().exec(); });
  connect(ui_->ClrHashBitBtn, &QPushButton::clicked, this, &TOptionDlg::ClrHashBitBtnClick);
  connect(ui_->CloseBitBtn, &QPushButton::clicked, this, &TOptionDlg::close);
  connect(ui_->WipeSpeedButton, &QToolButton::clicked, this, &TOptionDlg::WipeSpeedButtonClick);

  WipeDropWatch.SetWatchControl(ui_->Panel1);
  WipeDropWatch.SetEnabled(true);
  WipeDropWatch.OnFilesDropped = [this](TDropWatch&, int, int, const std::vector<std::string>& files) {
    StartWipeBatch(files);
  };
}

TOptionDlg::~TOptionDlg() = default;

void TOptionDlg::SetNamingButtons(bool standard, bool ownExtension, bool randomName) {
  QRadioButton* const buttons[] = {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3};
  const bool flags[] = {standard, ownExtension, randomName};
  // Auto-exclusive buttons refuse to be all unchecked; the rule is applied with the exclusion lifted.
  for (QRadioButton* button : buttons) {
    button->setAutoExclusive(false);
    button->setChecked(false);
  }
  for (int i = 2; i >= 0; --i) {
    if (flags[i]) {
      buttons[i]->setChecked(true);
      break;
    }
  }
  for (QRadioButton* button : buttons) button->setAutoExclusive(true);
}

void TOptionDlg::ApplyNamingChoice() {
  int& namingMode = windows_.State.NamingMode;
  if (ui_->RadioButton1->isChecked()) {
    namingMode = 0;
    ui_->ExtChgEdit->setEnabled(false);
  } else if (ui_->RadioButton2->isChecked()) {
    namingMode = 1;
    ui_->ExtChgEdit->setEnabled(true);
  } else if (ui_->RadioButton3->isChecked()) {
    namingMode = 2;
    ui_->ExtChgEdit->setEnabled(true);
  }
}

bool TOptionDlg::CheckAdaptForFileName(const QString& text) {
  for (char forbidden : kForbiddenInExtension)
    if (text.contains(QLatin1Char(forbidden))) return false;
  return true;
}

void TOptionDlg::IncSubFolderCheckBoxClick() {
  windows_.MainForm().FindFile.Recurse = ui_->IncSubFolderCheckBox->isChecked();
}

void TOptionDlg::DoTopCheckBoxClick() { windows_.MainForm().KTop.SetKTop(ui_->DoTopCheckBox->isChecked()); }

void TOptionDlg::showEvent(QShowEvent* event) {
  ui_->IncSubFolderCheckBox->setChecked(windows_.MainForm().FindFile.Recurse);
  ui_->NameLabel->setText(windows_.MainForm().windowTitle());
  CenterOnScreen(*this);
  ui_->CloseBitBtn->setFocus();
  QDialog::showEvent(event);
}

bool TOptionDlg::FormCloseQuery() {
  if (windows_.State.NamingMode != 1) return true;
  const QString extension = ui_->ExtChgEdit->text().trimmed();
  if (!extension.isEmpty() && CheckAdaptForFileName(ui_->ExtChgEdit->text()) &&
      extension != QStringLiteral("."))
    return true;
  prompts::Warning(this, kBadExtension);
  ui_->ExtChgEdit->setText(kDefaultExtension);
  ui_->ExtChgEdit->setFocus();
  return false;
}

void TOptionDlg::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
  windows_.MainForm().show();
}

void TOptionDlg::reject() { close(); }

void TOptionDlg::ClrHashBitBtnClick() {
  if (!prompts::Confirm(this, kClearQuestion)) return;
  windows_.State.PassHash.clear();
  windows_.ConfirmationDlg().Hint.clear();
  try {
    WriteSetting(settings::kPassHash, "", windows_.State.SettingsFile);
    WriteSetting(settings::kPassHint, "", windows_.State.SettingsFile);
  } catch (const std::exception& error) {
    prompts::Error(this, ToQString(error.what()));
    return;
  }
  prompts::Information(this, kCleared);
}

bool TOptionDlg::eventFilter(QObject* watched, QEvent* event) {
  // Label2, Label4 and Label5 open the web site.
  if (event->type() == QEvent::MouseButtonRelease) {
    QDesktopServices::openUrl(QUrl(ToQString(kWebAddress)));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TOptionDlg::WipeSpeedButtonClick() {
  if (const std::optional<std::vector<std::string>> chosen = windows_.MainForm().ChooseFiles(*this))
    StartWipeBatch(*chosen);
}

// The wipe bin's own intake: only a plain folder is expanded; anything else is listed as it stands.
void TOptionDlg::StartWipeBatch(const std::vector<std::string>& paths) {
  windows_.ConfirmationDlg().StartBatch(TBatchMode::kWipe,
                                        CollectWipeBinFiles(windows_.MainForm().FindFile, paths), *this);
}

}  // namespace zk
