#include "dialogs/PasswordDlg.h"

#include <QKeyEvent>
#include <QProgressBar>
#include <algorithm>
#include <cmath>

#include "engine/FileEngine.h"
#include "engine/PasswordRules.h"
#include "engine/PasswordStrength.h"
#include "platform/CodePage.h"
#include "ui/CoreTexts.h"
#include "ui/DialogFrame.h"
#include "ui/Prompts.h"
#include "ui/QtText.h"
#include "ui/SecretText.h"
#include "ui/TypingLimit.h"
#include "ui_PasswordDlg.h"

namespace zk {
namespace {

constexpr int kHintTypingLimit = 255;

// The bar fills with the logarithm of the time to guess: full at a century, so that each step of the words
// moves it visibly; a password that falls at once still shows a sliver in the warning colour.
constexpr double kFullBarSeconds = 100 * 365.25 * 24 * 3600;
constexpr int kLeastBar = 3;
const QColor kWarningColour(0xC0, 0x00, 0x00);

int BarValue(double seconds) {
  const double share = seconds < 1 ? 0 : 100 * std::log10(seconds) / std::log10(kFullBarSeconds);
  return static_cast<int>(std::clamp(share, double(kLeastBar), 100.0));
}

}  // namespace

TPasswordDlg::TPasswordDlg(TSettings& settings, TFileEngine& engine)
    : QDialog(nullptr, kSystemMenuDialog),
      settings_(settings),
      engine_(engine),
      ui_(std::make_unique<Ui::TPasswordDlg>()),
      stayOnTop_(*this, true) {
  ui_->setupUi(this);
  setFixedSize(size());
  connect(ui_->BitBtn1, &QPushButton::clicked, this, &TPasswordDlg::AcceptPassword);
  connect(ui_->BitBtn2, &QPushButton::clicked, this, &TPasswordDlg::reject);
  for (QRadioButton* choice : {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3})
    connect(choice, &QRadioButton::clicked, this, &TPasswordDlg::RefreshLayout);
  for (QLineEdit* edit : {ui_->PassEdit, ui_->PassCEdit, ui_->HintEdit}) edit->installEventFilter(this);
  LimitTyping(*ui_->HintEdit, kHintTypingLimit);
  connect(ui_->PassEdit, &QLineEdit::textChanged, this, &TPasswordDlg::ShowStrength);
  static_assert(kGuessesPerSecond == 1e10, "the tip names the rate");
  ui_->StrengthLabel->setToolTip(
      tr("パスワードを知らない人がコンテナを手に入れ、グラフィックカード1枚で毎秒100億回試した場合の目安です"
         "。"));
}

TPasswordDlg::~TPasswordDlg() = default;

bool TPasswordDlg::Ask(bool decryptMode, TSecretText& password, std::string& hint) {
  DecryptMode = decryptMode;
  if (exec() != QDialog::Accepted) return false;
  password.AssignFrom(*ui_->PassEdit);
  hint = ToStdString(ui_->HintEdit->text());
  ClearBoxes();
  return true;
}

QRadioButton& TPasswordDlg::ChoiceButton(TCheckChoice choice) const {
  switch (choice) {
    case TCheckChoice::kCompareWithRegistered:
      return *ui_->RadioButton1;
    case TCheckChoice::kRegister:
      return *ui_->RadioButton2;
    case TCheckChoice::kNoCheck:
      break;
  }
  return *ui_->RadioButton3;
}

bool TPasswordDlg::CheckValueRegistered() const {
  return !ToQString(settings_.CheckValue).trimmed().isEmpty();
}

void TPasswordDlg::showEvent(QShowEvent* event) {
  FormShow();
  ApplyModeLayout();
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

void TPasswordDlg::ClearBoxes() {
  if (!settings_.DontClearPassBox) {
    TSecretText::ClearBox(*ui_->PassEdit);
    TSecretText::ClearBox(*ui_->PassCEdit);
  }
  if (!settings_.SaveHint) ui_->HintEdit->clear();
}

void TPasswordDlg::FormShow() {
  ClearBoxes();
  ChoiceButton(!DecryptMode && CheckValueRegistered() ? TCheckChoice::kCompareWithRegistered
                                                      : TCheckChoice::kNoCheck)
      .setChecked(true);
}

void TPasswordDlg::ApplyModeLayout() {
  ui_->PassEdit->setFocus();
  ChoiceButton(TCheckChoice::kCompareWithRegistered).setEnabled(CheckValueRegistered());
  ShowStrength();
  if (!DecryptMode) {
    setWindowTitle(tr("暗号化に使用するパスワードを入力してください。"));
    ui_->Label3->setText(
        tr("＊パスワードは絶対に忘れないようにしてください。また、出来る限り長く、推測されにくいパスワードに"
           "してください。"));
    ui_->Panel1->show();
    RefreshLayout();
  } else {
    setWindowTitle(tr("復号に使用するパスワードを入力してください。"));
    ui_->Label3->setText(tr("＊パスワードは大文字と小文字を区別されます。"));
    ui_->Panel1->hide();
    ui_->PassCEdit->hide();
    ui_->Label2->hide();
    ChoiceButton(TCheckChoice::kNoCheck).setChecked(true);
  }
}

// The estimate never holds the OK button back: the security level alone decides what is accepted.
void TPasswordDlg::ShowStrength() {
  const bool shown = !DecryptMode && !ui_->PassEdit->text().isEmpty();
  ui_->StrengthBar->setVisible(shown);
  ui_->StrengthLabel->setVisible(shown);
  if (!shown) return;
  TSecretText typed;
  typed.AssignFrom(*ui_->PassEdit);
  const TPasswordStrength strength = EstimateStrength(typed.Text());
  QPalette colours = palette();
  if (strength.Seconds < kWeakBelowSeconds) {
    colours.setColor(QPalette::WindowText, kWarningColour);
    colours.setColor(QPalette::Highlight, kWarningColour);
  }
  ui_->StrengthBar->setPalette(colours);
  ui_->StrengthBar->setValue(BarValue(strength.Seconds));
  ui_->StrengthLabel->setPalette(colours);
  ui_->StrengthLabel->setText(CoreText(StrengthText(strength)));
}

void TPasswordDlg::RefreshLayout() {
  // With a registered check value in use, the password is typed once and checked against that value.
  const bool confirm = !Chosen(TCheckChoice::kCompareWithRegistered);
  ui_->PassCEdit->setVisible(confirm);
  ui_->Label2->setVisible(confirm);
  if (settings_.SaveHint) ui_->HintEdit->setText(ToQString(settings_.PassHint));
}

void TPasswordDlg::AcceptPassword() {
  if (!ui_->PassCEdit->isHidden() && ui_->PassCEdit->text() != ui_->PassEdit->text()) {
    prompts::Warning(this, CoreText(kPasswordMismatch));
    return;
  }
  TSecretText typed;
  typed.AssignFrom(*ui_->PassEdit);
  const std::string& bytes = typed.Text();
  const std::string_view refusal = PasswordRefusal(bytes, settings_.SecLevel, !DecryptMode);
  if (!refusal.empty()) {
    prompts::Warning(this, CoreText(refusal));
    return;
  }
  if (!DecryptMode && !HintAndCodePageAccepted(bytes, ToStdString(ui_->HintEdit->text()))) return;
  std::string& registered = settings_.CheckValue;
  if (Chosen(TCheckChoice::kCompareWithRegistered)) {
    if (engine_.PasswordCheckValue(bytes) != registered) {
      prompts::Warning(this, tr("入力されたパスワードが照合用に登録されたパスワードと異なります。確認してくだ"
                                "さい。\r\n（そのままで良い場合は、「照合用にハッシュを登録」または「何も行わ"
                                "ない」を選択して再度ＯＫを押してください。）"));
      return;
    }
  } else if (Chosen(TCheckChoice::kRegister)) {
    const std::string checkValue = engine_.PasswordCheckValue(bytes);
    if (checkValue != registered) {
      if (!prompts::Confirm(
              this,
              tr("入力されたパスワードのハッシュを照合用に登録します。よろしいですか？\r\n（このハッシュは照"
                 "合以外に使用できないように特殊な方法で加工されるので、登録しても安全です。）"))) {
        ChoiceButton(TCheckChoice::kNoCheck).setChecked(true);
        return;
      }
      registered = checkValue;
    }
  }
  accept();
}

// The hint must fit the container as it will be stored; a password or hint beyond Shift-JIS is used as
// its UTF-8 bytes, which the user is told before the run.
bool TPasswordDlg::HintAndCodePageAccepted(const std::string& password, const std::string& hint) {
  if (!HintFits(hint)) {
    prompts::Warning(this, CoreText(kHintTooLong));
    return false;
  }
  QStringList notes;
  if (!FitsCp932(password)) notes << CoreText(kPasswordBeyondShiftJis);
  if (!FitsCp932(hint)) notes << CoreText(kHintBeyondShiftJis);
  return notes.isEmpty() ||
         prompts::Confirm(this,
                          (notes << tr("このまま暗号化してよろしいですか？")).join(QStringLiteral("\r\n")));
}

bool TPasswordDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      AcceptPassword();
      return true;
    }
    if (key == Qt::Key_Escape) {
      reject();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zk
