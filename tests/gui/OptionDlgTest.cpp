// The options dialog: the extension check on closing, the clear button, its own wipe bin, and the options
// that act on the main window.
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "GuiFixture.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "dialogs/ConfirmationDlg.h"
#include "dialogs/OptionDlg.h"
#include "engine/BatchRules.h"
#include "shell/SettingsModel.h"

namespace zk::test {
namespace {

using prompts::TPromptKind;

const QString kBadExtension = QStringLiteral(
    "拡張子の設定が不正です。正しく設定しなおして下さい。\r\n"
    "(不正な拡張子とは\\/:,;*?\"<>|が含まれる、空である、.だけなどです。)");

// Takes the web addresses the program opens instead of a browser.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open"); }
  ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
  QStringList Opened;

 public slots:
  void Open(const QUrl& url) { Opened << url.toString(); }
};

TOptionDlg& OpenOptions(TWindows& windows) {
  Control<QPushButton>(windows.MainForm(), "OptionBitBtn").click();
  return windows.OptionDlg();
}

}  // namespace

class OptionDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpApplication(*qApp, TUiLanguage::kJapanese); }

  // The link opens the web site from the keyboard too; any other key does nothing.
  void WebLinkOpensByClickOrKey_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("key");  // 0: a click
    QTest::addColumn<bool>("opens");
    QTest::newRow("click on the link") << "Label5" << 0 << true;
    QTest::newRow("click on the text above") << "Label4" << 0 << true;
    QTest::newRow("Return") << "Label5" << int(Qt::Key_Return) << true;
    QTest::newRow("Enter") << "Label5" << int(Qt::Key_Enter) << true;
    QTest::newRow("Space") << "Label5" << int(Qt::Key_Space) << true;
    QTest::newRow("a letter") << "Label5" << int(Qt::Key_A) << false;
  }

  void WebLinkOpensByClickOrKey() {
    QFETCH(QString, label);
    QFETCH(int, key);
    QFETCH(bool, opens);
    UrlCatcher browser;
    TGuiFixture fixture;
    QLabel& target = Control<QLabel>(OpenOptions(fixture.Start()), label.toLatin1().constData());
    if (key)
      QTest::keyClick(&target, static_cast<Qt::Key>(key));
    else
      QTest::mouseClick(&target, Qt::LeftButton);
    QCOMPARE(browser.Opened, opens ? QStringList{"https://zk.example.org/"} : QStringList());
    QVERIFY(!key || target.focusPolicy() & Qt::TabFocus);
  }

  void OwnExtensionIsCheckedOnClosing_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("closes");
    QTest::newRow("empty") << "RadioButton2"
                           << "" << false;
    QTest::newRow("blanks only") << "RadioButton2"
                                 << "   " << false;
    QTest::newRow("a dot only") << "RadioButton2"
                                << "." << false;
    QTest::newRow("a slash") << "RadioButton2"
                             << ".a/b" << false;
    QTest::newRow("two dots") << "RadioButton2"
                              << ".." << true;
    QTest::newRow("random name is not checked") << "RadioButton3"
                                                << "*" << true;
    QTest::newRow("standard naming is not checked") << "RadioButton1"
                                                    << "" << true;
  }

  void OwnExtensionIsCheckedOnClosing() {
    QFETCH(QString, button);
    QFETCH(QString, extension);
    QFETCH(bool, closes);
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    TOptionDlg& options = OpenOptions(windows);
    QVERIFY(options.isVisible() && !windows.MainForm().isVisible());
    Control<QRadioButton>(options, button.toLatin1().constData()).click();
    QLineEdit& edit = Control<QLineEdit>(options, "ExtChgEdit");
    edit.setText(extension);
    Control<QPushButton>(options, "CloseBitBtn").click();
    QCOMPARE(options.isVisible(), !closes);
    QCOMPARE(windows.MainForm().isVisible(), closes);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kWarning),
             closes ? QStringList() : QStringList{kBadExtension});
    if (!closes) {
      QCOMPARE(edit.text(), QStringLiteral(".bmp"));
      Control<QPushButton>(options, "CloseBitBtn").click();
      QVERIFY(!options.isVisible());
    }
  }

  void NamingChoiceDrivesTheNamesOfNewContainers() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    TOptionDlg& options = OpenOptions(windows);
    QVERIFY(!Control<QLineEdit>(options, "ExtChgEdit").isEnabled());
    Control<QRadioButton>(options, "RadioButton2").click();
    QVERIFY(Control<QLineEdit>(options, "ExtChgEdit").isEnabled());
    Control<QLineEdit>(options, "ExtChgEdit").setText(".jpg");
    options.close();
    const std::string plain = fixture.Folder.WriteFile("photo", "pixels");
    windows.MainForm().StartBatch(TBatchMode::kEncrypt, {plain});
    AnswerPassword(windows, "password");
    Control<QPushButton>(windows.ConfirmationDlg(), "OKBitBtn").click();
    QCOMPARE(DecryptedContent(plain + ".jpg", "password"), std::string("pixels"));
  }

  void SettingsLongerThanTheBoxesStayWholeThroughARunAndAClose() {
    TGuiFixture fixture;
    const QString extension = QStringLiteral(".abcdefghijkl");  // 13 characters, the box types 10
    const QString hint(300, QLatin1Char('h'));                  // the hint box types 255
    fixture.Folder.WriteFile(
        "ZK.ini", "[SYSTEM]\nFIRSTEXEC=0\nDEFAULT_EXT=0\nOWN_EXT=1\nOWN_EXT_STR=" + extension.toStdString() +
                      "\nPASSHINT=" + hint.toStdString() + "\n");
    TWindows& windows = fixture.Start();
    QCOMPARE(Control<QLineEdit>(windows.OptionDlg(), "ExtChgEdit").text(), extension);
    const std::string plain = fixture.Folder.WriteFile("a.txt", "a");
    windows.MainForm().StartBatch(TBatchMode::kEncrypt, {plain});
    WhenPasswordAsked(windows, [](QWidget& dialog) {  // the remembered hint is left in its box
      Control<QLineEdit>(dialog, "PassEdit").setText("password");
      Control<QLineEdit>(dialog, "PassCEdit").setText("password");
      Control<QAbstractButton>(dialog, "BitBtn1").click();
    });
    Control<QPushButton>(windows.ConfirmationDlg(), "OKBitBtn").click();
    const std::string container = plain + extension.toStdString();
    QCOMPARE(DecryptedContent(container, "password"), std::string("a"));
    QCOMPARE(QString::fromStdString(windows.ConfirmationDlg().Engine().ReadHint(container).value()), hint);
    windows.ConfirmationDlg().close();
    windows.MainForm().close();
    QVERIFY(fixture.SettingsLines().contains("OWN_EXT_STR=" + extension));
    QVERIFY(fixture.SettingsLines().contains("PASSHINT=" + hint));
  }

  void TypingStopsAtTheBoxLimit() {
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini", "[SYSTEM]\nFIRSTEXEC=0\nOWN_EXT=1\nOWN_EXT_STR=.abcdefghijkl\n");
    TWindows& windows = fixture.Start();
    QLineEdit& box = Control<QLineEdit>(OpenOptions(windows), "ExtChgEdit");
    box.setFocus();
    box.end(false);
    QTest::keyClicks(&box, "xyz");  // no longer than it was
    QCOMPARE(box.text(), QStringLiteral(".abcdefghijkl"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClicks(&box, "12");
    QCOMPARE(box.text(), QStringLiteral(".abcdefghijk"));
    box.selectAll();
    QTest::keyClicks(&box, ".0123456789abc");  // typed afresh: ten characters
    QCOMPARE(box.text(), QStringLiteral(".012345678"));
  }

  // Return presses the focused button, as Space does; on a check box it changes nothing.
  void ReturnPressesTheFocusedButton() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    TOptionDlg& options = OpenOptions(windows);
    fixture.Script.ClearShown();
    fixture.Script.AnswerNo();
    QPushButton& clear = Control<QPushButton>(options, "ClrHashBitBtn");
    clear.setFocus();
    QTest::keyClick(&clear, Qt::Key_Return);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kConfirm).size(), 1);
    QCheckBox& box = Control<QCheckBox>(options, "WipeSourceCheckBox");
    const bool checked = box.isChecked();
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.isChecked(), checked);
    QVERIFY(options.isVisible());
  }

  void ClearButtonEmptiesHashAndHintInTheFileAtOnce() {
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini", "[SYSTEM]\nFIRSTEXEC=0\nPASSHASH=0123ABCD\nPASSHINT=my hint\n");
    TWindows& windows = fixture.Start();
    TOptionDlg& options = OpenOptions(windows);
    fixture.Script.AnswerNo();
    Control<QPushButton>(options, "ClrHashBitBtn").click();
    QCOMPARE(windows.Settings.CheckValue, std::string("0123ABCD"));

    fixture.Script.AnswerYes();
    Control<QPushButton>(options, "ClrHashBitBtn").click();
    QVERIFY(windows.Settings.CheckValue.empty());
    QVERIFY(windows.Settings.PassHint.empty());
    QCOMPARE(fixture.SettingsLines(), QStringList({"[SYSTEM]", "FIRSTEXEC=0", "PASSHASH=", "PASSHINT="}));
    QCOMPARE(fixture.Script.Texts(TPromptKind::kInformation).last(),
             QStringLiteral("ハッシュデータとパスワードヒントをクリアしました。"));
  }

  void WipeBinTakesPlainFoldersApartAndReturnsHere() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    fixture.Folder.MakeFolder("plain");
    const std::string inPlain = fixture.Folder.WriteFile("plain/a", "a");
    const std::string hidden = fixture.Folder.MakeFolder(".hidden");
    fixture.Folder.WriteFile(".hidden/b", "b");
    TOptionDlg& options = OpenOptions(windows);
    DropFiles(Control<QWidget>(options, "Panel1"), {fixture.Folder.Path("plain"), hidden});
    TConfirmationDlg& list = windows.ConfirmationDlg();
    QVERIFY(list.isVisible() && !options.isVisible());
    QCOMPARE(list.windowTitle(), QStringLiteral("ファイルの抹消"));
    QCOMPARE(list.Batch().Rows()[0].Path, inPlain);
    QCOMPARE(list.Batch().Rows()[1].Path, hidden);  // a hidden folder is listed as itself
    Control<QPushButton>(list, "CloseBitBtn").click();
    QVERIFY(options.isVisible());
    QVERIFY(!windows.MainForm().isVisible());
  }

  void WipeBinFileDialogStartsAWipeBatch() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string file = fixture.Folder.WriteFile("x", "x");
    TOptionDlg& options = OpenOptions(windows);
    fixture.Script.ChooseFiles({QString::fromStdString(file)});
    Control<QAbstractButton>(options, "WipeSpeedButton").click();
    QCOMPARE(windows.ConfirmationDlg().Batch().Rows()[0].Path, file);
    QVERIFY(windows.ConfirmationDlg().isVisible());
  }

  void OptionsActOnTheMainWindow() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    TOptionDlg& options = OpenOptions(windows);
    Control<QCheckBox>(options, "DoTopCheckBox").click();
    QVERIFY(windows.MainForm().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    Control<QCheckBox>(options, "TopWipeCheckBox").click();
    Control<QCheckBox>(options, "IncSubFolderCheckBox").click();
    QVERIFY(!windows.MainForm().FindFile.Recurse);
    options.close();
    QCOMPARE(windows.MainForm().height(), 180);
    QVERIFY(Control<QPushButton>(windows.MainForm(), "WipeBitBtn").isVisible());
    windows.MainForm().close();
    const QStringList lines = fixture.SettingsLines();
    QVERIFY(lines.contains("MAINTOP=1") && lines.contains("TOPWIPE=1") && lines.contains("INCSUBFOLDER=0"));
  }

  // Without the other windows: the controls show the model and every change goes back into it.
  void EditsASettingsModelAlone() {
    TempFolder folder;
    prompts::TPromptScript script;
    const std::string file = folder.WriteFile("ZK.ini", "[SYSTEM]\nPASSHASH=0123ABCD\nPASSHINT=h\n");
    TSettings settings;
    settings.Load(file);
    settings.ShowWipeButton = true;
    settings.WipeSource = false;
    settings.SetNamingMode(kNamingRandom);
    settings.OwnExtStr = ".jpg";
    TOptionDlg options(settings, file, QStringLiteral("ZK Ver3.4a"));
    options.ShowSettings();
    QVERIFY(Control<QCheckBox>(options, "TopWipeCheckBox").isChecked());
    QVERIFY(!Control<QCheckBox>(options, "WipeSourceCheckBox").isChecked());
    QVERIFY(Control<QRadioButton>(options, "RadioButton3").isChecked());
    QLineEdit& extension = Control<QLineEdit>(options, "ExtChgEdit");
    QCOMPARE(extension.text(), QStringLiteral(".jpg"));
    QVERIFY(extension.isEnabled());

    int changes = 0;
    connect(&options, &TOptionDlg::SettingsChanged, this, [&changes] { ++changes; });
    Control<QCheckBox>(options, "WipeSourceCheckBox").click();
    Control<QCheckBox>(options, "DoTopCheckBox").click();
    QVERIFY(settings.WipeSource && settings.StayOnTop);
    QCOMPARE(changes, 2);
    extension.setText(".png");
    QCOMPARE(settings.OwnExtStr, std::string(".png"));
    Control<QRadioButton>(options, "RadioButton1").click();
    QCOMPARE(settings.NamingMode(), int(kNamingStandard));
    QVERIFY(settings.DefaultExt && !settings.RandomExt);
    QVERIFY(!extension.isEnabled());

    script.AnswerYes();
    Control<QPushButton>(options, "ClrHashBitBtn").click();
    QVERIFY(settings.CheckValue.empty() && settings.PassHint.empty());
    QCOMPARE(TempFolder::ReadFile(file), std::string("[SYSTEM]\nPASSHASH=\nPASSHINT=\n"));
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::OptionDlgTest)
#include "OptionDlgTest.moc"
