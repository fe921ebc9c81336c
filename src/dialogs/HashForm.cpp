#include "dialogs/HashForm.h"

#include <QKeyEvent>

#include "ui/DialogFrame.h"
#include "ui/Prompts.h"
#include "ui/QtText.h"
#include "ui/ReturnKey.h"
#include "ui_HashForm.h"

namespace zk {

THashForm::THashForm(const std::string& startFolder)
    : QDialog(nullptr, kSystemMenuDialog),
      OpenDialog(this),
      ui_(std::make_unique<Ui::THashForm>()),
      stayOnTop_(*this, true) {
  ui_->setupUi(this);
  setFixedSize(size());
  OpenDialog.setFileMode(QFileDialog::ExistingFile);
  OpenDialog.setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog.setDirectory(PathToQString(startFolder));
  connect(ui_->OpenButton, &QPushButton::clicked, this, &THashForm::OpenButtonClick);
  connect(ui_->CloseButton, &QPushButton::clicked, this, &THashForm::close);
}

THashForm::~THashForm() = default;

void THashForm::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

void THashForm::OpenButtonClick() {
  const std::optional<QStringList> chosen = prompts::ChooseFiles(OpenDialog);
  if (!chosen || chosen->isEmpty()) return;
  TSecHash::Digest digest;
  try {
    prompts::TBusyCursor busy;
    digest = SecHash.HashFile(PathFromQString(chosen->front()));
  } catch (const ESecHashException& error) {
    // "File not found !" as always, and below it what really stood in the way.
    prompts::Error(this,
                   ToQString(error.what()) + QStringLiteral("\r\n(") + DisplayQString(error.Reason()) + u')');
    return;
  } catch (const std::exception& error) {
    prompts::Error(this, DisplayQString(error.what()));
    return;
  }
  prompts::ShowText(this, tr("選択したファイルのSHA-1計算結果"), tr("160bit Hash値[32bit(16進表現)*5]:"),
                    ToQString(DigestText(digest)));
}

// However the window is closed, the result is OK.
void THashForm::keyPressEvent(QKeyEvent* event) {
  if (!PressFocusedButton(*this, *event)) QDialog::keyPressEvent(event);
}

void THashForm::done(int) { QDialog::done(QDialog::Accepted); }

}  // namespace zk
