#include "dialogs/SecSetDlg.h"

#include <QPlainTextEdit>

#include "ui/DialogFrame.h"
#include "ui_SecSetDlg.h"

namespace zk {
namespace {

// What each security level is for.
QString LevelText(int level) {
  switch (level) {
    case 1:
      return TSecSetDlg::tr(
          "セキュリティレベル１は、日記のファイルやちょっとしたメモなどの、家族内での秘密や日常的な情報の暗号"
          "化に適しています。このレベルで暗号化する場合、パスワードは１文字以上にしなければなりません。");
    case 2:
      return TSecSetDlg::tr(
          "セキュリティレベル２は、会社のコンピュータ上にある個人の秘密情報や、インターネットで送る個人的な情"
          "報の暗号化に適しています。このレベルで暗号化する場合、パスワードは６文字以上にしなければなりません"
          "。");
    case 3:
      return TSecSetDlg::tr(
          "セキュリティレベル３は、企業秘密級です。機密度の高い情報の暗号化に適しています。このレベルで暗号化"
          "する場合、パスワードは10文字以上にしなければなりません。");
    case 4:
      return TSecSetDlg::tr(
          "セキュリティレベル４は、国家機密級です(笑)"
          "。地球上のいかなる組織による解読も好ましくない情報の暗号化に適しています。このレベルで暗号化する場"
          "合、パスワードは20文字以上にしなければなりません。");
  }
  return {};
}

// What each algorithm is, and below it the key and block sizes used here.
QString AlgorithmText(int algorithm) {
  const QString block128 = TSecSetDlg::tr(
      "（本ソフトでの仕様：最大鍵長256ビット、実質鍵長160ビット、ブロックサイズ128ビット、CBCモード）");
  switch (algorithm) {
    case 0:
      return TSecSetDlg::tr(
                 "Twofishは、著名な暗号研究者を中心とするチームが開発したブロック暗号です。米国政府の標準暗号"
                 "（AES）を選ぶNISTの選考で最終候補の4方式に残り、採用されたRijndaelに劣らない強度と速度を備"
                 "えています。前身のBlowFishとともに、自由に利用できる暗号の定番となっています。") +
             u'\n' + block128;
    case 1:
      return TSecSetDlg::tr(
                 "1997年、米国のNISTは、強度に疑問が持たれるようになったDESに代わる新しい標準暗号（AES）を広"
                 "く公募しました。TwoFishをはじめとする数多くの応募の中から、ベルギーの2人の暗号研究者が開発"
                 "したRijndaelが、その洗練された設計によって選ばれ、2000年10月に米国政府の承認暗号となりまし"
                 "た。") +
             u'\n' + block128;
    case 2:
      return TSecSetDlg::tr(
                 "GOST "
                 "28147-"
                 "89は、旧ソビエト連邦の政府標準暗号です。3人の研究者によって開発され、1989年に制定されました"
                 "。かつては鉄のカーテンの向こうで秘密にされていましたが、ソ連の崩壊後はその仕様を容易に入手"
                 "できるようになりました。暗号解読に対する強さはTwofishやRijndaelに劣るとされますが、通常の用"
                 "途には十分です。") +
             u'\n' +
             TSecSetDlg::tr(
                 "（本ソフトでの仕様：最大鍵長256ビット、実質鍵長160ビット、ブロックサイズ64ビット、CBCモード"
                 "）");
  }
  return {};
}

}  // namespace

TSecSetDlg::TSecSetDlg(TSettings& settings)
    : QDialog(nullptr, kSystemMenuDialog),
      settings_(settings),
      ui_(std::make_unique<Ui::TSecSetDlg>()),
      stayOnTop_(*this, true) {
  ui_->setupUi(this);
  setFixedSize(size());
  ui_->SecTrackBar->setValue(1);
  connect(ui_->SecTrackBar, &QSlider::valueChanged, this, &TSecSetDlg::SecTrackBarChange);
  connect(ui_->AlgoComboBox, &QComboBox::currentIndexChanged, this, &TSecSetDlg::AlgoComboBoxChange);
  connect(ui_->BitBtn1, &QPushButton::clicked, this, &TSecSetDlg::close);
  // The descriptions are read-only texts reached by Tab. Their inner area, which AT-SPI reports as a
  // filler of its own, carries the description's name too, so that no unnamed part is announced.
  for (QPlainTextEdit* memo : {ui_->SecMemo, ui_->AlgoMemo}) {
    memo->viewport()->setAccessibleName(memo->accessibleName());
  }
  ui_->BitBtn1->setFocus();
}

TSecSetDlg::~TSecSetDlg() = default;

void TSecSetDlg::ShowSettings() { SetAlgorithmIndex(settings_.Algorithm); }

int32_t TSecSetDlg::AlgorithmIndex() const { return ui_->AlgoComboBox->currentIndex(); }

void TSecSetDlg::SetAlgorithmIndex(int32_t index) {
  ui_->AlgoComboBox->setCurrentIndex(index >= 0 && index < ui_->AlgoComboBox->count() ? index : -1);
  settings_.Algorithm = AlgorithmIndex();
}

void TSecSetDlg::AlgoComboBoxChange() {
  settings_.Algorithm = AlgorithmIndex();
  RefreshMemos();
}

void TSecSetDlg::showEvent(QShowEvent* event) {
  // The slider clamps to 1..4 and reports a change only when its position moves: a stored level above 4
  // becomes 4, one below 1 stays in the settings until the slider is moved.
  ui_->SecTrackBar->setValue(settings_.SecLevel);
  ShowSettings();
  RefreshMemos();
  CenterOnScreen(*this);
  ui_->BitBtn1->setFocus();
  QDialog::showEvent(event);
}

void TSecSetDlg::SecTrackBarChange(int position) {
  settings_.SecLevel = position;
  RefreshMemos();
}

void TSecSetDlg::RefreshMemos() {
  const int level = ui_->SecTrackBar->value();
  if (level >= 1 && level <= 4) ui_->SecMemo->setPlainText(LevelText(level));
  const int algorithm = AlgorithmIndex();
  if (algorithm >= 0 && algorithm <= 2) ui_->AlgoMemo->setPlainText(AlgorithmText(algorithm));
}

// However the window is closed, the result is OK.
void TSecSetDlg::done(int) { QDialog::done(QDialog::Accepted); }

}  // namespace zk
