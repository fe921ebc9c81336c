// The SHA-1 tool: the digest of the chosen file in the copyable prompt, and the error display for a file
// that cannot be read.
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "GuiFixture.h"
#include "WriteProtection.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "dialogs/HashForm.h"
#include "dialogs/OptionDlg.h"

namespace zk::test {
namespace {

using prompts::TPromptKind;

THashForm& OpenHashTool(TWindows& windows) {
  Control<QPushButton>(windows.MainForm(), "OptionBitBtn").click();
  THashForm& tool = windows.HashForm();
  tool.open();
  return tool;
}

void HashChosen(TGuiFixture& fixture, THashForm& tool, const std::string& path) {
  fixture.Script.ClearShown();
  fixture.Script.ChooseFiles({QString::fromStdString(path)});
  Control<QPushButton>(tool, "OpenButton").click();
}

}  // namespace

class HashFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpApplication(*qApp, TUiLanguage::kJapanese); }

  void ShowsTheDigestInFiveGroups_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("digest");
    QTest::newRow("empty") << QByteArray() << "DA39A3EE 5E6B4B0D 3255BFEF 95601890 AFD80709";
    QTest::newRow("abc") << QByteArray("abc") << "A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D";
    QTest::newRow("64 bytes") << QByteArray(64, 'a') << "0098BA82 4B5C1642 7BD7A112 2A5A442A 25EC644D";
    QTest::newRow("65 bytes") << QByteArray(65, 'a') << "11655326 C708D703 19BE2610 E8A57D9A 5B959D3B";
  }

  void ShowsTheDigestInFiveGroups() {
    QFETCH(QByteArray, content);
    QFETCH(QString, digest);
    TGuiFixture fixture;
    THashForm& tool = OpenHashTool(fixture.Start());
    HashChosen(fixture, tool, fixture.Folder.WriteFile("f", content.toStdString()));
    const std::vector<prompts::TShownPrompt>& shown = fixture.Script.Shown();
    QCOMPARE(shown.size(), size_t{3});
    QCOMPARE(shown[1].Kind, TPromptKind::kBusyCursor);
    QCOMPARE(shown[2].Kind, TPromptKind::kShowText);
    QCOMPARE(shown[2].Caption, QStringLiteral("選択したファイルのSHA-1計算結果"));
    QCOMPARE(shown[2].Text, digest);
    QVERIFY(!QApplication::overrideCursor());
  }

  void AReadOnlyFileIsHashed() {
    TGuiFixture fixture;
    THashForm& tool = OpenHashTool(fixture.Start());
    const std::string path = fixture.Folder.WriteFile("kept", "abc");
    const WriteProtection protection(path);
    if (!protection.Locked()) QSKIP("this file system cannot write-protect a file for root");
    HashChosen(fixture, tool, path);
    QCOMPARE(fixture.Script.Texts(TPromptKind::kShowText),
             QStringList{"A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D"});
  }

  void AMissingFileIsReportedWithItsReason() {
    TGuiFixture fixture;
    THashForm& tool = OpenHashTool(fixture.Start());
    HashChosen(fixture, tool, fixture.Folder.Path("nowhere"));
    const QStringList errors = fixture.Script.Texts(TPromptKind::kError);
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].startsWith(QStringLiteral("File not found !\r\n(")));
    QVERIFY(fixture.Script.Texts(TPromptKind::kShowText).isEmpty());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(tool.isVisible());
  }

  void ReturnOnTheFileButtonOpensTheFileDialog() {
    TGuiFixture fixture;
    THashForm& tool = OpenHashTool(fixture.Start());
    fixture.Script.ClearShown();
    fixture.Script.CancelFileDialog();
    QPushButton& open = Control<QPushButton>(tool, "OpenButton");
    open.setFocus();
    QTest::keyClick(&open, Qt::Key_Return);
    QCOMPARE(fixture.Script.Shown().size(), size_t{1});
    QCOMPARE(fixture.Script.Shown().front().Kind, TPromptKind::kChooseFiles);
    QVERIFY(tool.isVisible());
  }

  void CancellingChangesNothing() {
    TGuiFixture fixture;
    THashForm& tool = OpenHashTool(fixture.Start());
    fixture.Script.ClearShown();
    fixture.Script.CancelFileDialog();
    Control<QPushButton>(tool, "OpenButton").click();
    QCOMPARE(fixture.Script.Shown().size(), size_t{1});
    Control<QPushButton>(tool, "CloseButton").click();
    QCOMPARE(tool.result(), int(QDialog::Accepted));
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::HashFormTest)
#include "HashFormTest.moc"
