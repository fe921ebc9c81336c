// The password dialog's checks in their order, the check-value choices, and the security levels that set
// the minimum length.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "GuiFixture.h"
#include "LanguageScope.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "dialogs/ConfirmationDlg.h"
#include "dialogs/PasswordDlg.h"
#include "dialogs/SecSetDlg.h"
#include "engine/FileEngine.h"
#include "engine/PasswordStrength.h"
#include "shell/SettingsModel.h"

namespace zk::test {
namespace {

using prompts::TPromptKind;

const QString kMismatch =
    QStringLiteral("入力されたパスワードが再入力されたパスワードと一致しません。再度入力してください。");
const QString kEmpty = QStringLiteral("パスワードが入力されていません。");
const QString kLevel2 = QStringLiteral(
    "セキュリティレベルが２に設定されており、このレベルでは６文字以上のパスワードを入力する必要があります。"
    "「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。");
const QString kLevel4 = QStringLiteral(
    "セキュリティレベルが４に設定されており、このレベルでは２０文字以上のパスワードを入力する必要があります。"
    "「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。");
const QString kWrongCheckValue = QStringLiteral(
    "入力されたパスワードが照合用に登録されたパスワードと異なります。確認してください。\r\n"
    "（そのままで良い場合は、「照合用にハッシュを登録」または「何も行わない」を選択して再度ＯＫを押してくださ"
    "い。）");

// Shows the dialog as the batch does, without waiting: the test types, presses OK and looks.
TPasswordDlg& Open(TWindows& windows, bool decrypting) {
  TPasswordDlg& dialog = windows.PasswordDlg();
  dialog.DecryptMode = decrypting;
  dialog.open();
  return dialog;
}

void Type(TPasswordDlg& dialog, const QString& password, const QString& again) {
  Control<QLineEdit>(dialog, "PassEdit").setText(password);
  Control<QLineEdit>(dialog, "PassCEdit").setText(again);
}

void PressOk(TPasswordDlg& dialog) { Control<QPushButton>(dialog, "BitBtn1").click(); }

const QString kHintTooLong = QStringLiteral(
    "ヒントが長すぎます。ヒントは保存される形で750バイト（全角文字は2バイト、"
    "Shift-JISで表せない文字を含む場合は全体がUTF-8となり1文字最大3バイト）までです。"
    "ヒントを短くしてください。");
const QString kPasswordNote = QStringLiteral(
    "パスワードにShift-JISで表せない文字が含まれているため、パスワード全体をUTF-8のバイト列として使用します"
    "（最低文字数もUTF-8のバイト数で数えます）。このパスワードで暗号化したファイルは、Windows版のZKでは同じ"
    "パスワードを入力しても復号できません。");
const QString kHintNote = QStringLiteral(
    "ヒントにShift-JISで表せない文字が含まれているため、ヒント全体をUTF-8で保存します。Windows版のZKでは"
    "このヒントは正しく表示されません。");
const QString kProceed = QStringLiteral("このまま暗号化してよろしいですか？");

}  // namespace

class PasswordDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpApplication(*qApp, TUiLanguage::kJapanese); }

  void ChecksRunInTheirOrder_data() {
    QTest::addColumn<bool>("decrypting");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("again");
    QTest::addColumn<QString>("refusal");  // empty: accepted

    QTest::newRow("typed only in the second box") << false << 2 << ""
                                                  << "secret" << kMismatch;
    QTest::newRow("case counts") << false << 2 << "Secret"
                                 << "secret" << kMismatch;
    QTest::newRow("both empty") << false << 2 << ""
                                << "" << kEmpty;
    QTest::newRow("level 2, five bytes") << false << 2 << "12345"
                                         << "12345" << kLevel2;
    QTest::newRow("level 2, six bytes") << false << 2 << "123456"
                                        << "123456" << QString();
    QTest::newRow("level 2, three double-byte characters") << false << 2 << "暗号鍵"
                                                           << "暗号鍵" << QString();
    QTest::newRow("level 4, nineteen bytes") << false << 4 << QString(19, 'x') << QString(19, 'x') << kLevel4;
    QTest::newRow("level 7 asks only for a password") << false << 7 << "x"
                                                      << "x" << QString();
    QTest::newRow("decrypting ignores the level") << true << 4 << "x"
                                                  << "ignored" << QString();
    QTest::newRow("decrypting, empty") << true << 1 << ""
                                       << "" << kEmpty;
  }

  void ChecksRunInTheirOrder() {
    QFETCH(bool, decrypting);
    QFETCH(int, level);
    QFETCH(QString, password);
    QFETCH(QString, again);
    QFETCH(QString, refusal);
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    windows.Settings.SecLevel = level;
    TPasswordDlg& dialog = Open(windows, decrypting);
    QCOMPARE(Control<QLineEdit>(dialog, "PassCEdit").isVisible(), !decrypting);
    QCOMPARE(Control<QWidget>(dialog, "Panel1").isVisible(), !decrypting);
    Type(dialog, password, again);
    PressOk(dialog);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kWarning),
             refusal.isEmpty() ? QStringList() : QStringList{refusal});
    QCOMPARE(dialog.isVisible(), !refusal.isEmpty());
    QCOMPARE(dialog.result(), refusal.isEmpty() ? int(QDialog::Accepted) : int(QDialog::Rejected));
  }

  void HintIsCheckedAsItWillBeStored() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string plain = fixture.Folder.WriteFile("plain.txt", "kept as it is");
    const std::vector<std::string> before = fixture.Folder.Listing();
    windows.MainForm().StartBatch(TBatchMode::kEncrypt, {plain});
    // 255 characters the box takes, stored as 765 bytes of UTF-8: more than a container's hint field holds.
    bool refused = false;
    WhenPasswordAsked(windows, [&refused](QWidget& dialog) {
      Control<QLineEdit>(dialog, "PassEdit").setText("password");
      Control<QLineEdit>(dialog, "PassCEdit").setText("password");
      Control<QLineEdit>(dialog, "HintEdit").setText(QString(255, QChar(0xD55C)));  // 한
      Control<QAbstractButton>(dialog, "BitBtn1").click();
      refused = dialog.isVisible();
      if (refused) Control<QAbstractButton>(dialog, "BitBtn2").click();
    });
    Control<QPushButton>(windows.ConfirmationDlg(), "OKBitBtn").click();
    QVERIFY(refused);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kWarning), QStringList{kHintTooLong});
    QVERIFY(fixture.Script.Texts(TPromptKind::kConfirm).isEmpty());  // refused before any question
    QCOMPARE(fixture.Folder.Listing(), before);
    QCOMPARE(TempFolder::ReadFile(plain), std::string("kept as it is"));

    // 250 of them are 750 bytes, which fit.
    TPasswordDlg& dialog = Open(windows, false);
    Type(dialog, "password", "password");
    Control<QLineEdit>(dialog, "HintEdit").setText(QString(250, QChar(0xD55C)));
    fixture.Script.AnswerYes();
    PressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void TextsBeyondShiftJisAreToldBeforeOk_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QStringList>("notes");  // empty: no question
    QTest::newRow("emoji in the password") << QStringLiteral("pass😀") << "" << QStringList{kPasswordNote};
    QTest::newRow("Japanese and é in the hint")
        << "password" << QStringLiteral("日本のcafé") << QStringList{kHintNote};
    QTest::newRow("both") << QStringLiteral("€uro pass") << QStringLiteral("한")
                          << QStringList{kPasswordNote, kHintNote};
    QTest::newRow("Shift-JIS only") << QStringLiteral("暗号鍵パス～") << QStringLiteral("いつもの①")
                                    << QStringList();
  }

  void TextsBeyondShiftJisAreToldBeforeOk() {
    QFETCH(QString, password);
    QFETCH(QString, hint);
    QFETCH(QStringList, notes);
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    TPasswordDlg& dialog = Open(windows, false);
    Type(dialog, password, password);
    Control<QLineEdit>(dialog, "HintEdit").setText(hint);
    PressOk(dialog);  // the script answers No: the dialog stays
    if (notes.isEmpty()) {
      QVERIFY(fixture.Script.Texts(TPromptKind::kConfirm).isEmpty());
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
      return;
    }
    QCOMPARE(fixture.Script.Texts(TPromptKind::kConfirm), QStringList{(notes << kProceed).join("\r\n")});
    QVERIFY(dialog.isVisible());
    fixture.Script.AnswerYes();
    PressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void PasswordBoxesShowStars() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    for (const char* name : {"PassEdit", "PassCEdit"}) {
      QLineEdit& box = Control<QLineEdit>(windows.PasswordDlg(), name);
      QCOMPARE(box.echoMode(), QLineEdit::Password);
      QCOMPARE(box.style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, &box), int('*'));
    }
  }

  // The estimate at kGuessesPerSecond under the password, in the warning colour below an hour; it never
  // holds OK back (level 1 asks for one character).
  void StrengthIsShownUnderThePassword_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("estimate");
    QTest::addColumn<bool>("warning");
    const QString japaneseNote =
        QStringLiteral("（日本語の単語などは辞書にないため、実際はもっと短い場合があります）");
    const QString englishNote =
        QStringLiteral(" (Japanese words and the like are not in its dictionaries, so it may be shorter)");
    const QString ja = QStringLiteral("推測にかかる時間の目安："), en = QStringLiteral("Time to guess it: ");
    QTest::newRow("common word") << false << "password" << ja + "1秒未満" << true;
    QTest::newRow("common word, en") << true << "password" << en + "less than a second" << true;
    QTest::newRow("keyboard walk") << false << "qwertyuiop" << ja + "1秒未満" << true;
    QTest::newRow("keyboard walk, en") << true << "qwertyuiop" << en + "less than a second" << true;
    QTest::newRow("substitutions") << false << "Tr0ub4dor&3" << ja + "3時間" << false;
    QTest::newRow("substitutions, en") << true << "Tr0ub4dor&3" << en + "3 hours" << false;
    QTest::newRow("passphrase") << false << "correct horse battery staple" << ja + "何世紀も" << false;
    QTest::newRow("passphrase, en") << true << "correct horse battery staple" << en + "centuries" << false;
    QTest::newRow("Japanese") << false << "東京タワー2024" << ja + "8分" + japaneseNote << true;
    QTest::newRow("Japanese, en") << true << "東京タワー2024" << en + "8 minutes" + englishNote << true;
  }

  void StrengthIsShownUnderThePassword() {
    QFETCH(bool, english);
    QFETCH(QString, password);
    QFETCH(QString, estimate);
    QFETCH(bool, warning);
    const TLanguageScope language(english ? TUiLanguage::kEnglish : TUiLanguage::kJapanese);
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    TPasswordDlg& dialog = Open(windows, false);
    const QLabel& line = Control<QLabel>(dialog, "StrengthLabel");
    QVERIFY(!line.isVisible());
    Type(dialog, password, password);
    QVERIFY(line.isVisible());
    QCOMPARE(line.text(), estimate);
    const QColor normal = dialog.palette().color(QPalette::WindowText);
    QCOMPARE(line.palette().color(QPalette::WindowText) != normal, warning);
    QCOMPARE(Control<QWidget>(dialog, "StrengthBar").palette().color(QPalette::Highlight) !=
                 dialog.palette().color(QPalette::Highlight),
             warning);
    PressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    Open(windows, true);
    QVERIFY(!line.isVisible());
  }

  void ModeTexts() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    TPasswordDlg& dialog = Open(windows, false);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("暗号化に使用するパスワードを入力してください。"));
    dialog.reject();
    Open(windows, true);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("復号に使用するパスワードを入力してください。"));
    QCOMPARE(Control<QLabel>(dialog, "Label3").text(),
             QStringLiteral("＊パスワードは大文字と小文字を区別されます。"));
  }

  void RegisteringAndCheckingTheCheckValue() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    TPasswordDlg& dialog = Open(windows, false);
    // Nothing registered: the check is not offered and "do nothing" is chosen.
    QVERIFY(!Control<QRadioButton>(dialog, "RadioButton1").isEnabled());
    QVERIFY(Control<QRadioButton>(dialog, "RadioButton3").isChecked());

    Control<QRadioButton>(dialog, "RadioButton2").click();
    Type(dialog, "password", "password");
    fixture.Script.AnswerNo();
    PressOk(dialog);
    QVERIFY(dialog.isVisible());
    QVERIFY(Control<QRadioButton>(dialog, "RadioButton3").isChecked());
    QVERIFY(windows.Settings.CheckValue.empty());

    Control<QRadioButton>(dialog, "RadioButton2").click();
    fixture.Script.AnswerYes();
    PressOk(dialog);
    QVERIFY(!dialog.isVisible());
    const std::string registered = windows.ConfirmationDlg().Engine().PasswordCheckValue("password");
    QCOMPARE(windows.Settings.CheckValue, registered);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kConfirm).size(), 2);

    // Registered: the check is chosen, the second box goes, a wrong password is refused.
    Open(windows, false);
    QVERIFY(Control<QRadioButton>(dialog, "RadioButton1").isChecked());
    QVERIFY(!Control<QLineEdit>(dialog, "PassCEdit").isVisible());
    Type(dialog, "passwore", "");
    PressOk(dialog);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kWarning), QStringList{kWrongCheckValue});
    QVERIFY(dialog.isVisible());
    Type(dialog, "password", "");
    PressOk(dialog);
    QVERIFY(!dialog.isVisible());

    // Registering the value already registered asks nothing.
    Open(windows, false);
    Control<QRadioButton>(dialog, "RadioButton2").click();
    Type(dialog, "password", "password");
    PressOk(dialog);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(fixture.Script.Texts(TPromptKind::kConfirm).size(), 2);

    windows.MainForm().close();
    QVERIFY(fixture.SettingsLines().contains(QString::fromStdString("PASSHASH=" + registered)));
  }

  void ChoosingACheckRefillsTheRememberedHint() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    windows.Settings.PassHint = "remembered";
    TPasswordDlg& dialog = Open(windows, false);
    QLineEdit& hint = Control<QLineEdit>(dialog, "HintEdit");
    hint.setText("typed");
    Control<QRadioButton>(dialog, "RadioButton2").click();
    QCOMPARE(hint.text(), QStringLiteral("remembered"));
  }

  void SecurityLevelsAndAlgorithm_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("memo");
    QTest::newRow("default") << 2 << 2 << 2 << "セキュリティレベル２は、";
    QTest::newRow("above the range is clamped and taken") << 7 << 4 << 4 << "セキュリティレベル４は、";
    QTest::newRow("below the range shows 1 and keeps the value") << 0 << 1 << 0 << "セキュリティレベル１は、";
  }

  void SecurityLevelsAndAlgorithm() {
    QFETCH(int, stored);
    QFETCH(int, shown);
    QFETCH(int, kept);
    QFETCH(QString, memo);
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini",
                             "[SYSTEM]\nFIRSTEXEC=0\nALGORITHM=5\nSECLEVEL=" + std::to_string(stored) + "\n");
    TWindows& windows = fixture.Start();
    TSecSetDlg& dialog = windows.SecSetDlg();
    QCOMPARE(dialog.AlgorithmIndex(), -1);
    dialog.open();
    QSlider& bar = Control<QSlider>(dialog, "SecTrackBar");
    QCOMPARE(bar.value(), shown);
    QCOMPARE(windows.Settings.SecLevel, kept);
    QVERIFY(Control<QPlainTextEdit>(dialog, "SecMemo").toPlainText().startsWith(memo));
    QVERIFY(Control<QPlainTextEdit>(dialog, "AlgoMemo").toPlainText().isEmpty());

    bar.setValue(4);
    Control<QComboBox>(dialog, "AlgoComboBox").setCurrentIndex(2);
    QVERIFY(Control<QPlainTextEdit>(dialog, "AlgoMemo")
                .toPlainText()
                .endsWith(QStringLiteral("（本ソフトでの仕様：最大鍵長256ビット、実質鍵長160ビット、ブロック"
                                         "サイズ64ビット、CBCモード）")));
    dialog.close();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(windows.Settings.SecLevel, 4);

    // The next encryption asks for 20 bytes and uses GOST.
    TPasswordDlg& password = Open(windows, false);
    Type(password, "short password", "short password");
    PressOk(password);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kWarning), QStringList{kLevel4});
    password.reject();
    const std::string plain = fixture.Folder.WriteFile("plain", "plain");
    windows.MainForm().StartBatch(TBatchMode::kEncrypt, {plain});
    AnswerPassword(windows, QString(20, 'p'));
    Control<QPushButton>(windows.ConfirmationDlg(), "OKBitBtn").click();
    const std::string container = TempFolder::ReadFile(plain + ".enc");
    QCOMPARE(container.substr(20, 4), std::string("\x02\0\0\0", 4));  // the algorithm number
    windows.MainForm().close();
    QVERIFY(fixture.SettingsLines().contains("SECLEVEL=4"));
    QVERIFY(fixture.SettingsLines().contains("ALGORITHM=2"));
  }

  // Without the other windows: the level, the check value and the hint are the model's.
  void AsksAloneOnASettingsModel() {
    prompts::TPromptScript script;
    TSettings settings;
    settings.SecLevel = 3;
    settings.PassHint = "remembered";
    TFileEngine engine;
    TPasswordDlg dialog(settings, engine);
    script.AnswerYes();  // register the check value
    QTimer::singleShot(0, &dialog, [&dialog] {
      QVERIFY(QTest::qWaitFor([&dialog] { return dialog.isVisible(); }));
      QCOMPARE(Control<QLineEdit>(dialog, "HintEdit").text(), QStringLiteral("remembered"));
      Type(dialog, "nine byte", "nine byte");
      PressOk(dialog);  // refused at level 3
      Control<QRadioButton>(dialog, "RadioButton2").click();
      Type(dialog, "ten bytes!", "ten bytes!");
      PressOk(dialog);
    });
    TSecretText password;
    password.Assign("earlier");
    std::string hint;
    QVERIFY(dialog.Ask(false, password, hint));
    QCOMPARE(script.Texts(TPromptKind::kWarning).size(), 1);
    QVERIFY(script.Texts(TPromptKind::kWarning)[0].startsWith(QStringLiteral("セキュリティレベルが３")));
    QCOMPARE(password.Text(), std::string("ten bytes!"));
    QCOMPARE(hint, std::string("remembered"));
    QCOMPARE(settings.CheckValue, engine.PasswordCheckValue("ten bytes!"));
    // DontClearPassBox is off: the boxes are emptied once the password is handed over.
    QVERIFY(Control<QLineEdit>(dialog, "PassEdit").text().isEmpty());
    QVERIFY(Control<QLineEdit>(dialog, "PassCEdit").text().isEmpty());

    QTimer::singleShot(0, &dialog, [&dialog] {
      QVERIFY(QTest::qWaitFor([&dialog] { return dialog.isVisible(); }));
      Control<QPushButton>(dialog, "BitBtn2").click();
    });
    QVERIFY(!dialog.Ask(true, password, hint));
    QCOMPARE(password.Text(), std::string("ten bytes!"));  // a cancelled prompt leaves the password as it was
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::PasswordDlgTest)
#include "PasswordDlgTest.moc"
