// The program as it starts, takes its command line and ends: start-up messages, settings, the command
// line's forms, drops on the buttons and the single-instance rule.
#include <sys/stat.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>

#include "GuiFixture.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "dialogs/ConfirmationDlg.h"
#include "dialogs/OptionDlg.h"
#include "engine/FileEngine.h"
#include "platform/FileInfo.h"
#include "platform/SingleInstance.h"

namespace zk::test {
namespace {

using prompts::TPromptKind;

constexpr const char* kPublicTestNoticeStart = "！ご注意！\r\n\r\nこれは公開テスト専用のアルファ版です！";
constexpr const char* kFirstRunStart = "このメッセージは初回実行時のみ表示されます。";

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpApplication(*qApp, TUiLanguage::kJapanese); }

  void FirstStartShowsBothMessagesAndCloseWritesEveryKeyInOrder() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const QStringList shown = fixture.Script.Texts(TPromptKind::kInformation);
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown[0].startsWith(QString::fromUtf8(kPublicTestNoticeStart)));
    QVERIFY(
        shown[0].contains(QStringLiteral("なお、WEBサイトhttps://zk.example.org/ではこのバージョンでの")));
    QVERIFY(shown[1].startsWith(QString::fromUtf8(kFirstRunStart)));
    QCOMPARE(windows.MainForm().pos(), QPoint(100, 100));
    QCOMPARE(windows.MainForm().height(), 145);  // TOPWIPE off: cut off below the options button

    windows.MainForm().close();
    QCOMPARE(fixture.SettingsLines(),
             QStringList(
                 {"[WINDOWPOS]",   "X=100",           "Y=100",        "[SYSTEM]",           "INCSUBFOLDER=1",
                  "WIPESOURCE=1",  "WIPEDECSOURCE=1", "MAINTOP=0",    "DONTCLEARPASSBOX=0", "SAVEHINT=1",
                  "REENC=1",       "TOPWIPE=0",       "PASSHINT=",    "PASSHASH=",          "SECLEVEL=2",
                  "DEFAULT_EXT=1", "OWN_EXT=0",       "RANDOM_EXT=0", "OWN_EXT_STR=.bmp",   "ALGORITHM=0",
                  "FIRSTEXEC=0"}));
  }

  void SecondStartShowsOnlyTheNoticeAndLoadsTheOptions() {
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini",
                             "[WINDOWPOS]\nX=40\nY=60\n[SYSTEM]\nFIRSTEXEC=0\nTOPWIPE=1\nWIPESOURCE=0\n"
                             "OWN_EXT=1\nRANDOM_EXT=1\nOWN_EXT_STR=.jpg\nALGORITHM=2\nPASSHINT=前の\n");
    TWindows& windows = fixture.Start();
    QCOMPARE(fixture.Script.Texts(TPromptKind::kInformation).size(), 1);
    QCOMPARE(windows.MainForm().pos(), QPoint(40, 60));
    QCOMPARE(windows.MainForm().height(), 180);
    QVERIFY(Control<QPushButton>(windows.MainForm(), "WipeBitBtn").isVisible());
    QVERIFY(!Control<QCheckBox>(windows.OptionDlg(), "WipeSourceCheckBox").isChecked());
    // Of the naming keys the last one set wins.
    QCOMPARE(windows.Settings.NamingMode(), 2);
    QCOMPARE(windows.Settings.PassHint, std::string("前の"));
  }

  void SavedPositionOffEveryScreenIsBroughtOntoTheNearest() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct TCase {
      QPoint Saved;
      QPoint Expected;  // the frame's top left; x or y of -1: at the screen's right or bottom edge
    };
    const TCase cases[] = {
        {{40, 60}, {40, 60}},      // on the screen: kept
        {{3000, 2500}, {-1, -1}},  // beyond the corner
        {{-5000, 50}, {0, 50}},    // left of the screen
    };
    for (const TCase& position : cases) {
      TGuiFixture fixture;
      fixture.Folder.WriteFile("ZK.ini", "[WINDOWPOS]\nX=" + std::to_string(position.Saved.x()) +
                                             "\nY=" + std::to_string(position.Saved.y()) +
                                             "\n[SYSTEM]\nFIRSTEXEC=0\nTOPWIPE=1\n");
      const QRect frame = fixture.Start().MainForm().frameGeometry();
      QVERIFY(screen.contains(frame));
      QCOMPARE(position.Expected.x() < 0 ? frame.right() : frame.left(),
               position.Expected.x() < 0 ? screen.right() : position.Expected.x());
      QCOMPARE(position.Expected.y() < 0 ? frame.bottom() : frame.top(),
               position.Expected.y() < 0 ? screen.bottom() : position.Expected.y());
    }
  }

  void ReturnPressesTheFocusedButton() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    QPushButton& option = Control<QPushButton>(windows.MainForm(), "OptionBitBtn");
    QCOMPARE(windows.MainForm().focusWidget(), &option);
    QTest::keyClick(&option, Qt::Key_Return);
    QVERIFY(windows.OptionDlg().isVisible());
    windows.OptionDlg().close();

    QPushButton& encrypt = Control<QPushButton>(windows.MainForm(), "EncBitBtn");
    encrypt.setFocus();
    QTest::keyClick(&encrypt, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kChooseFiles).size(), 1);  // its file dialog
  }

  void RefusedWriteAtCloseIsReported() {
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini", "[SYSTEM]\nFIRSTEXEC=0\n");
    ::chmod(fixture.SettingsFile.c_str(), 0444);  // the read-only attribute refuses writes, also for root
    TWindows& windows = fixture.Start();
    windows.MainForm().close();
    QCOMPARE(
        fixture.Script.Texts(TPromptKind::kError),
        QStringList({QString::fromStdString(fixture.SettingsFile) + QStringLiteral(" に書き込めません")}));
    QCOMPARE(fixture.SettingsLines(), QStringList({"[SYSTEM]", "FIRSTEXEC=0"}));
  }

  void HintFromTheCommandLineReplacesTheStoredOne() {
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini", "[SYSTEM]\nFIRSTEXEC=0\nPASSHINT=old\n");
    TWindows& windows = fixture.Start({"-h", "  new hint  "});
    // No file named: the encrypt button's file dialog comes up (and is cancelled by the script).
    QCOMPARE(fixture.Script.Texts(TPromptKind::kChooseFiles).size(), 1);
    QCOMPARE(windows.Settings.PassHint, std::string("new hint"));
    windows.MainForm().close();
    QVERIFY(fixture.SettingsLines().contains("PASSHINT=new hint"));
  }

  void ForcedEncryptionWithPasswordRunsAndEnds() {
    TGuiFixture fixture;
    const std::string plain = fixture.Folder.WriteFile("report.txt", "quarterly figures");
    TWindows& windows = fixture.Start({"-F", "-P", "pass", "-H", "the usual", plain});
    QCOMPARE(ListColumn(windows, 0),
             QStringList({QStringLiteral("暗号化成功：") + QString::fromStdString(plain)}));
    QCOMPARE(DecryptedContent(plain + ".enc", "pass"), std::string("quarterly figures"));
    QVERIFY(!FileExists(plain));  // WIPESOURCE is on by default
    QCOMPARE(TFileEngine().ReadHint(plain + ".enc"), std::string("the usual"));
    QVERIFY(fixture.SettingsLines().contains("FIRSTEXEC=0"));  // the program closed
  }

  void ForcedEncryptionWithoutPasswordWaitsForOk() {
    TGuiFixture fixture;
    const std::string plain = fixture.Folder.WriteFile("a.txt", "a");
    TWindows& windows = fixture.Start({"-F", plain});
    QVERIFY(windows.ConfirmationDlg().isVisible());
    QVERIFY(!windows.MainForm().isVisible());
    QVERIFY(Control<QPushButton>(windows.ConfirmationDlg(), "OKBitBtn").isVisible());
    QVERIFY(FileExists(plain));
    QVERIFY(fixture.SettingsLines().isEmpty());  // still running
  }

  void ForcedWipeNeedsNoWarningAndEnds() {
    TGuiFixture fixture;
    const std::string doomed = fixture.Folder.WriteFile("old.txt", "secret");
    TWindows& windows = fixture.Start({"-w", "-f", doomed});
    QVERIFY(fixture.Script.Texts(TPromptKind::kConfirm).isEmpty());
    QVERIFY(!FileExists(doomed));
    QCOMPARE(ListColumn(windows, 0),
             QStringList({QStringLiteral("抹消成功 : ") + QString::fromStdString(doomed)}));
    QVERIFY(fixture.SettingsLines().contains("FIRSTEXEC=0"));
  }

  void DirectFormEncryptsOneFileToTheOutputAndEnds() {
    TGuiFixture fixture;
    const std::string plain = fixture.Folder.WriteFile("in.txt", "direct");
    TWindows& windows = fixture.Start({"-A", "out.zk", "-P", "pw", plain});
    const std::string output = fixture.Folder.Path("out.zk");  // relative to the start folder
    QCOMPARE(DecryptedContent(output, "pw"), std::string("direct"));
    QVERIFY(FileExists(plain));  // the direct form never wipes
    QVERIFY(!windows.ConfirmationDlg().isVisible());
    QVERIFY(fixture.SettingsLines().contains("FIRSTEXEC=0"));
  }

  void DirectFormDecryptsOneContainerToTheOutput() {
    TGuiFixture fixture;
    const std::string container = MakeContainer(fixture.Folder.WriteFile("doc.txt", "plain words"), "pw");
    fixture.Start({"-d", "-a", "restored.txt", "-p", "pw", container});
    QCOMPARE(TempFolder::ReadFile(fixture.Folder.Path("restored.txt")), std::string("plain words"));
    QVERIFY(FileExists(container));
  }

  void DirectFormWithTwoFilesDoesNothingAndEnds() {
    TGuiFixture fixture;
    const std::string a = fixture.Folder.WriteFile("a.txt", "a");
    const std::string b = fixture.Folder.WriteFile("b.txt", "b");
    const std::vector<std::string> before = fixture.Folder.Listing();
    TWindows& windows = fixture.Start({"-A", "out", "-F", "-P", "pw", a, b});
    QVERIFY(!windows.ConfirmationDlg().isVisible());
    QVERIFY(fixture.SettingsLines().contains("FIRSTEXEC=0"));
    std::vector<std::string> after = fixture.Folder.Listing();
    std::erase(after, "ZK.ini");
    QCOMPARE(after, before);  // no output, no batch run over the list
  }

  void FolderOnTheCommandLineFollowsIncSubFolder() {
    for (const bool recurse : {true, false}) {
      TGuiFixture fixture;
      fixture.Folder.WriteFile("ZK.ini",
                               std::string("[SYSTEM]\nINCSUBFOLDER=") + (recurse ? "1" : "0") + "\n");
      fixture.Folder.MakeFolder("d");
      fixture.Folder.MakeFolder("d/s");
      fixture.Folder.WriteFile("d/a", "a");
      fixture.Folder.WriteFile("d/s/c", "c");
      TWindows& windows = fixture.Start({"d"});  // relative to the folder the program was started in
      QStringList expected = {QString::fromStdString(fixture.Folder.Path("d/a"))};
      if (recurse) expected << QString::fromStdString(fixture.Folder.Path("d/s/c"));
      QCOMPARE(ListColumn(windows, 0), expected);
    }
  }

  void DroppedFolderOnTheDecryptButtonListsItsContainersWithHints() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    fixture.Folder.MakeFolder("box");
    const std::string first = MakeContainer(fixture.Folder.WriteFile("box/1.txt", "one"), "pw", "最初");
    const std::string second = MakeContainer(fixture.Folder.WriteFile("box/2.txt", "two"), "pw", "second");
    DropFiles(Control<QPushButton>(windows.MainForm(), "DecBitBtn"), {fixture.Folder.Path("box")});
    QVERIFY(windows.ConfirmationDlg().isVisible());
    QVERIFY(!windows.MainForm().isVisible());
    QCOMPARE(ListColumn(windows, 0),
             QStringList({QString::fromStdString(first), QString::fromStdString(second)}));
    QCOMPARE(ListColumn(windows, 1), QStringList({"最初", "second"}));
    QCOMPARE(windows.ConfirmationDlg().windowTitle(), QStringLiteral("ファイルの復号"));
  }

  void DroppedPathsArriveWholeAndInOrder() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string longName = std::string(240, 'x') + ".txt";
    fixture.Folder.MakeFolder(std::string(100, 'f'));
    const std::string deep = fixture.Folder.WriteFile(std::string(100, 'f') + "/" + longName, "deep");
    const std::string plain = fixture.Folder.WriteFile("z.txt", "z");
    DropFiles(Control<QPushButton>(windows.MainForm(), "EncBitBtn"), {plain, deep});
    QCOMPARE(windows.ConfirmationDlg().Batch().Rows()[0].Path, plain);
    QCOMPARE(windows.ConfirmationDlg().Batch().Rows()[1].Path, deep);  // longer than 255 bytes, not cut
  }

  void SecondInstanceIsRefused() {
    TGuiFixture fixture;
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(fixture.Folder.Path()));
    const TSingleInstanceLock first = TSingleInstanceLock::TryAcquire();
    QVERIFY(first.Held());
    TProgramState state;
    state.SettingsFile = fixture.SettingsFile;
    QCOMPARE(RunProgram(state), 0);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kInformation),
             QStringList({QStringLiteral("すでに起動しています。")}));
    QVERIFY(!FileExists(fixture.SettingsFile));
    qunsetenv("XDG_RUNTIME_DIR");
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::MainWindowTest)
#include "MainWindowTest.moc"
