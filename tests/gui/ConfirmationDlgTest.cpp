// The confirmation list and the batch run: encryption, decryption, wiping and re-encryption from a drop
// on the main window to the per-row results, the files on disk and the summary.
#include <sys/stat.h>

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <map>

#include "FileStatus.h"
#include "GuiFixture.h"
#include "HandMadeContainer.h"
#include "MountedImage.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "dialogs/ConfirmationDlg.h"
#include "engine/BatchRules.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"
#include "platform/FileInfo.h"
#include "shell/SettingsModel.h"
#include "ui/PathFont.h"

namespace zk::test {
namespace {

using prompts::TPromptKind;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QPushButton& Button(TWindows& windows, const char* name) {
  return Control<QPushButton>(windows.ConfirmationDlg(), name);
}

// Counts the paints a widget receives.
class TPaintCounter : public QObject {
 public:
  explicit TPaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int Count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Count;
    return false;
  }
};

// Presses the skip button as soon as a run offers it, and notes whether it was then the one usable control:
// the list, OK and Close locked, the window itself enabled.
class TSkipPresser {
 public:
  explicit TSkipPresser(TWindows& windows) {
    QObject::connect(&timer_, &QTimer::timeout, [this, &windows] {
      QPushButton& skip = Button(windows, "SkipWipeBitBtn");
      if (!skip.isVisible()) return;
      TConfirmationDlg& list = windows.ConfirmationDlg();
      Offered = skip.isEnabled() && list.isEnabled() && !Button(windows, "OKBitBtn").isEnabled() &&
                !Button(windows, "CloseBitBtn").isEnabled() &&
                !Control<QTableWidget>(list, "ListView").isEnabled();
      skip.click();
    });
    timer_.start(0);  // events come through on every block of a wipe
  }
  bool Offered = false;

 private:
  QTimer timer_;
};

// Paths in a list's texts relative to the folder of a run, so that runs in different folders compare.
QStringList Relative(QStringList texts, const std::string& folder) {
  return texts.replaceInStrings(Q(folder), QStringLiteral("<F>/"));
}

// What one run of the list over a folder leaves: the texts of its rows after encryption, decryption and
// re-encryption, and every file with its bytes.
struct TListOutcome {
  QStringList Texts;
  std::map<std::string, std::string> Files;
};

// Encrypts a folder (a big file ahead of small ones, a name taken by a plain file, a locked file, an empty
// one) with `workers` rows at once, wiping the sources; moves the container of a second file of one name
// beside the first; decrypts every ".enc" there, wiping the containers (two store one name, one is no
// container); then re-encrypts what the decryption left.
TListOutcome RunListWithWorkers(int workers) {
  TGuiFixture fixture;
  TWindows& windows = fixture.Start();
  TempFolder& folder = fixture.Folder;
  folder.MakeFolder("p");
  folder.MakeFolder("p/sub");
  const std::vector<std::pair<std::string, std::string>> plain = {{"p/big.bin", std::string(3 << 20, 'g')},
                                                                  {"p/a.txt", std::string(30000, 'a')},
                                                                  {"p/a.txt.enc", "in the way"},
                                                                  {"p/b.txt", "b"},
                                                                  {"p/sub/a.txt", std::string(500, 's')},
                                                                  {"p/locked", "read-only"},
                                                                  {"p/empty", ""}};
  std::vector<std::string> files;
  for (const auto& [name, bytes] : plain) {
    files.push_back(folder.WriteFile(name, bytes));
    SetModificationTime(files.back(), 1600000000);  // containers store it: the same in every run
  }
  ::chmod(folder.Path("p/locked").c_str(), 0444);
  TConfirmationDlg& list = windows.ConfirmationDlg();
  list.SetWorkers(workers);
  TListOutcome outcome;
  const auto run = [&](TBatchMode mode, const std::vector<std::string>& rows) {
    windows.MainForm().StartBatch(mode, rows);
    AnswerPassword(windows, "password", "ヒント");
    Button(windows, "OKBitBtn").click();
    outcome.Texts << Relative(ListColumn(windows, 0), folder.Path()) << list.windowTitle();
  };
  run(TBatchMode::kEncrypt, files);
  Button(windows, "CloseBitBtn").click();
  std::filesystem::rename(folder.Path("p/sub/a.txt.enc"), folder.Path("p/a2.enc"));
  std::vector<std::string> containers;
  for (const std::string& name : folder.Listing())
    if (name.ends_with(".enc")) containers.push_back(folder.Path(name));
  run(TBatchMode::kDecrypt, containers);
  outcome.Texts << Relative(ListColumn(windows, 2), folder.Path());
  fixture.Script.AnswerYes();
  Button(windows, "ReEncBitBtn").click();
  outcome.Texts << Relative(ListColumn(windows, 0), folder.Path()) << list.windowTitle();
  for (const std::string& name : folder.Listing())
    if (name.starts_with("p/"))
      outcome.Files[name] = name.ends_with("/") ? "" : TempFolder::ReadFile(folder.Path(name));
  return outcome;
}

}  // namespace

class ConfirmationDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpApplication(*qApp, TUiLanguage::kJapanese); }

  void FolderDroppedOnEncryptRunsEveryFile() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    fixture.Folder.MakeFolder("in");
    fixture.Folder.MakeFolder("in/sub");
    const std::string a = fixture.Folder.WriteFile("in/a.txt", "alpha");
    const std::string b = fixture.Folder.WriteFile("in/sub/b.txt", std::string(100000, 'b'));
    DropFiles(Control<QPushButton>(windows.MainForm(), "EncBitBtn"), {fixture.Folder.Path("in")});
    TConfirmationDlg& list = windows.ConfirmationDlg();
    QCOMPARE(list.windowTitle(), QStringLiteral("ファイルの暗号化"));
    QCOMPARE(
        Control<QLabel>(list, "Label1").text(),
        QStringLiteral(
            "以上2個のファイルを暗号化します。暗号化されたファイルは復号するまで他のアプリケーションからは"
            "アクセスできなくなります。よろしいですか？"));

    AnswerPassword(windows, "暗号の鍵", "ひんと");
    Button(windows, "OKBitBtn").click();

    QCOMPARE(ListColumn(windows, 0), QStringList({"暗号化成功：" + Q(a), "暗号化成功：" + Q(b)}));
    QCOMPARE(list.windowTitle(), QStringLiteral("全てのファイル/フォルダを正常に処理しました。"));
    QCOMPARE(Control<QLabel>(list, "Label1").text(), list.windowTitle());
    QCOMPARE(Button(windows, "CloseBitBtn").text(), QStringLiteral("閉じる"));
    QVERIFY(!Button(windows, "OKBitBtn").isVisible());
    QVERIFY(list.isEnabled());
    QCOMPARE(DecryptedContent(a + ".enc", "暗号の鍵"), std::string("alpha"));
    QCOMPARE(DecryptedContent(b + ".enc", "暗号の鍵"), std::string(100000, 'b'));
    QCOMPARE(TFileEngine().ReadHint(a + ".enc"), std::string("ひんと"));
    QVERIFY(!FileExists(a) && !FileExists(b));  // sources wiped (WIPESOURCE on by default)

    Button(windows, "CloseBitBtn").click();
    QVERIFY(!list.isVisible());
    QVERIFY(windows.MainForm().isVisible());
  }

  void FailuresAreCountedAndTheRunGoesOn() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string good = fixture.Folder.WriteFile("good.txt", "fine");
    const std::string readOnly = fixture.Folder.WriteFile("locked.txt", "ro");
    ::chmod(readOnly.c_str(), 0444);
    const std::string missing = fixture.Folder.Path("gone.txt");
    // The list takes the files as given: one has vanished since it was picked.
    windows.ConfirmationDlg().StartBatch(TBatchMode::kEncrypt, {good, readOnly, missing}, windows.MainForm());
    AnswerPassword(windows, "password", "");
    Button(windows, "OKBitBtn").click();
    QCOMPARE(ListColumn(windows, 0),
             QStringList({"暗号化成功：" + Q(good), "＊暗号化失敗(読み取り専用です)：" + Q(readOnly),
                          "＊暗号化失敗＊：" + Q(missing)}));
    QCOMPARE(windows.ConfirmationDlg().windowTitle(), QStringLiteral("終了しました。　失敗数 : 2個"));
    // The row text stays the one users know; the tool tip adds why.
    const QString missingTip =
        Control<QTableWidget>(windows.ConfirmationDlg(), "ListView").item(2, 0)->toolTip();
    QVERIFY2(missingTip.startsWith("＊暗号化失敗＊：" + Q(missing) + "\n") &&
                 missingTip.contains(QString::fromLocal8Bit(std::strerror(ENOENT))),
             qPrintable(missingTip));
  }

  // A Shift-JIS name from a Windows archive is shown decoded, control characters in a name visibly (never as
  // a line break or a terminal's escape); the run still works on the names' own bytes.
  void NamesThatAreNotUtf8AreShownDecodedAndRunAsTheyAre() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string memo = fixture.Folder.WriteFile("\x83\x81\x83\x82.txt", "memo");  // メモ.txt
    const std::string odd = fixture.Folder.WriteFile("odd\xA0", "odd");
    const std::string controls = fixture.Folder.WriteFile("new\nline\x1b[2J", "controls");
    DropFiles(Control<QPushButton>(windows.MainForm(), "EncBitBtn"), {memo, odd, controls});
    const QString folder = Q(fixture.Folder.Path());
    const QStringList shown{folder + "メモ.txt", folder + "odd\\xa0", folder + "new\\nline\\x1b[2J"};
    QCOMPARE(ListColumn(windows, 0), shown);
    QCOMPARE(windows.ConfirmationDlg().Batch().Rows()[0].Path, memo);

    AnswerPassword(windows, "password", "");
    Button(windows, "OKBitBtn").click();
    QStringList done;
    for (const QString& path : shown) done << "暗号化成功：" + path;
    QCOMPARE(ListColumn(windows, 0), done);
    QCOMPARE(DecryptedContent(memo + ".enc", "password"), std::string("memo"));
  }

  void DecryptionFillsHintsAndDecryptedPathsThenReEncrypts() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string first =
        MakeContainer(fixture.Folder.WriteFile("one.txt", "first"), "password", "ヒント一", 1);
    const std::string second =
        MakeContainer(fixture.Folder.WriteFile("two.txt", "second"), "password", "hint two", 1);
    const std::string bogus = fixture.Folder.WriteFile("bogus.enc", "not a container at all");
    DropFiles(Control<QPushButton>(windows.MainForm(), "DecBitBtn"), {first, second, bogus});
    QCOMPARE(ListColumn(windows, 1),
             QStringList({"ヒント一", "hint two", "＊エラー：形式外または読み取り専用です。＊"}));

    AnswerPassword(windows, "password");
    Button(windows, "OKBitBtn").click();
    const std::string one = fixture.Folder.Path("one.txt");
    const std::string two = fixture.Folder.Path("two.txt");
    QCOMPARE(ListColumn(windows, 0), QStringList({"復号成功 : " + Q(first), "復号成功 : " + Q(second),
                                                  "＊不正なファイル形式です：" + Q(bogus)}));
    QCOMPARE(ListColumn(windows, 2), QStringList({Q(one), Q(two), QString()}));
    QCOMPARE(ListColumn(windows, 1).first(), QStringLiteral("ヒント一"));  // the hints stay for re-encryption
    QCOMPARE(TempFolder::ReadFile(one), std::string("first"));
    QVERIFY(!FileExists(first));  // WIPEDECSOURCE on by default
    QVERIFY(Button(windows, "ReEncBitBtn").isVisible());

    fixture.Script.AnswerYes();
    Button(windows, "ReEncBitBtn").click();
    // The question tells how long the decryption's password, now used to encrypt, would hold.
    QVERIFY(fixture.Script.Texts(prompts::TPromptKind::kConfirm)
                .last()
                .endsWith(QStringLiteral("\r\n推測にかかる時間の目安：1秒未満")));
    QCOMPARE(ListColumn(windows, 0),
             QStringList({"暗号化成功：" + Q(one), "暗号化成功：" + Q(two),
                          "＊再暗号化不可(復号されていないファイルです)：" + Q(bogus)}));
    QCOMPARE(windows.ConfirmationDlg().windowTitle(), QStringLiteral("終了しました。　失敗数 : 1個"));
    QVERIFY(!Button(windows, "ReEncBitBtn").isVisible());
    QCOMPARE(TFileEngine().ReadHint(one + ".enc"), std::string("ヒント一"));
    QCOMPARE(TFileEngine().ReadHint(two + ".enc"), std::string("hint two"));
    QCOMPARE(DecryptedContent(two + ".enc", "password"), std::string("second"));
    QVERIFY(FileExists(bogus));
  }

  // A hint field that does not decode (its length not a multiple of 4) leaves the container decryptable:
  // the list shows an error text in its place, and re-encryption must not store that text as the hint.
  void AnUnreadableHintIsNoHintForReEncryption() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    std::string bytes = HandMadeContainer({"password", "", "plain.txt", -1, 0, "plain"});
    const size_t hintLength = 20 + 4 + 8;
    QCOMPARE(bytes.substr(hintLength, 4), Int32Bytes(0));
    bytes.replace(hintLength, 4, Int32Bytes(3) + "abc");
    const std::string container = fixture.Folder.WriteFile("odd.enc", bytes);
    DropFiles(Control<QPushButton>(windows.MainForm(), "DecBitBtn"), {container});
    QCOMPARE(ListColumn(windows, 1), QStringList({"＊エラー：形式外または読み取り専用です。＊"}));
    AnswerPassword(windows, "password");
    Button(windows, "OKBitBtn").click();
    const std::string plain = fixture.Folder.Path("plain.txt");
    QCOMPARE(TempFolder::ReadFile(plain), std::string("plain"));

    fixture.Script.AnswerYes();
    Button(windows, "ReEncBitBtn").click();
    QCOMPARE(ListColumn(windows, 0), QStringList({"暗号化成功：" + Q(plain)}));
    QCOMPARE(TFileEngine().ReadHint(plain + ".enc"), std::string());
    QCOMPARE(windows.Settings.PassHint, std::string());
  }

  void WithoutReEncryptionNoButtonAndNoKeptPassword() {
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini", "[SYSTEM]\nFIRSTEXEC=0\nREENC=0\nWIPEDECSOURCE=0\n");
    TWindows& windows = fixture.Start();
    const std::string container = MakeContainer(fixture.Folder.WriteFile("x.txt", "x"), "password", "", 1);
    windows.MainForm().StartBatch(TBatchMode::kDecrypt, {container});
    AnswerPassword(windows, "password");
    Button(windows, "OKBitBtn").click();
    QCOMPARE(ListColumn(windows, 0), QStringList({"復号成功 : " + Q(container)}));
    QVERIFY(!Button(windows, "ReEncBitBtn").isVisible());
    QVERIFY(!windows.ConfirmationDlg().HoldsPassword());
    QVERIFY(FileExists(container));
  }

  void WipeAsksTwiceAndNoLeavesTheListPrepared() {
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini", "[SYSTEM]\nFIRSTEXEC=0\nTOPWIPE=1\n");
    TWindows& windows = fixture.Start();
    fixture.Folder.MakeFolder("junk");
    const std::string doomed = fixture.Folder.WriteFile("junk/old.txt", "old");
    // On flash storage or a copy-on-write file system the warning and the row say more (see the btrfs case).
    const bool doubt = OverwriteMayMissOldData(doomed);
    DropFiles(Control<QPushButton>(windows.MainForm(), "WipeBitBtn"), {fixture.Folder.Path("junk")});
    QCOMPARE(windows.ConfirmationDlg().windowTitle(), QStringLiteral("ファイルの抹消"));

    fixture.Script.AnswerNo();
    Button(windows, "OKBitBtn").click();
    QCOMPARE(fixture.Script.Texts(TPromptKind::kConfirm),
             QStringList({QStringLiteral("これは抹消モードです！本当によろしいですか？") +
                          (doubt ? "\r\n" + Q(std::string(kWipeWarningOldDataMayRemain)) : QString())}));
    QVERIFY(FileExists(doomed));
    QVERIFY(Button(windows, "OKBitBtn").isVisible());
    QCOMPARE(ListColumn(windows, 0), QStringList({Q(doomed)}));

    fixture.Script.AnswerYes();
    Button(windows, "OKBitBtn").click();
    QVERIFY(!FileExists(doomed));
    QVERIFY(FileExists(fixture.Folder.Path("junk")));  // folders stay
    QCOMPARE(
        ListColumn(windows, 0),
        QStringList({(doubt ? QString("抹消成功(元のデータが残っている可能性があります) : ") : "抹消成功 : ") + Q(doomed)}));
  }

  // btrfs writes the overwrite to new blocks: the warning gains its lines and the row, still a success,
  // says that the old data may remain.
  void WipeOnBtrfsTellsThatTheOldDataMayRemain() {
    std::string whyNot;
    const std::unique_ptr<MountedImage> image = MountedImage::Mount("btrfs", whyNot);
    if (!image) QSKIP(whyNot.c_str());
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string doomed = image->Path() + "old.txt";
    std::fclose(std::fopen(doomed.c_str(), "w"));
    windows.MainForm().StartBatch(TBatchMode::kWipe, {doomed});

    fixture.Script.AnswerYes();
    Button(windows, "OKBitBtn").click();
    QCOMPARE(
        fixture.Script.Texts(TPromptKind::kConfirm),
        QStringList({QStringLiteral(
            "これは抹消モードです！本当によろしいですか？\r\n"
            "一部のファイルはコピーオンライト・ネットワーク・フラッシュメモリ等の上にあり、上書きしても元のデ"
            "ータが残る可能性があります。\r\n確実に守るにはディスク全体の暗号化を使って下さい。")}));
    QCOMPARE(
        ListColumn(windows, 0),
        QStringList({QStringLiteral("抹消成功(元のデータが残っている可能性があります) : ") + Q(doomed)}));
    QVERIFY(!FileExists(doomed));
    QCOMPARE(windows.ConfirmationDlg().windowTitle(),
             QStringLiteral("全てのファイル/フォルダを正常に処理しました。"));
  }

  void CancelledPasswordLeavesTheBatchUntouched() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string plain = fixture.Folder.WriteFile("keep.txt", "keep");
    windows.MainForm().StartBatch(TBatchMode::kEncrypt, {plain});
    WhenPasswordAsked(windows, [](QWidget& dialog) { Control<QPushButton>(dialog, "BitBtn2").click(); });
    Button(windows, "OKBitBtn").click();
    QCOMPARE(ListColumn(windows, 0), QStringList({Q(plain)}));
    QVERIFY(Button(windows, "OKBitBtn").isVisible());
    QVERIFY(!FileExists(plain + ".enc"));
  }

  // From the keyboard alone: every list opens with the focus in the list and Return meaning OK, also after
  // a run left the focus on Close; Tab leaves the list for the buttons.
  void EveryListOpensAlikeForTheKeyboardAndTabLeavesIt() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    TConfirmationDlg& dialog = windows.ConfirmationDlg();
    QTableWidget& list = Control<QTableWidget>(dialog, "ListView");
    for (const char* name : {"first", "second"}) {
      const std::string file = fixture.Folder.WriteFile(name, "x");
      windows.MainForm().StartBatch(TBatchMode::kWipe, {file});
      QCOMPARE(dialog.focusWidget(), &list);
      fixture.Script.AnswerYes();
      QTest::keyClick(&list, Qt::Key_Return);
      QVERIFY2(!FileExists(file), name);
      QCOMPARE(dialog.focusWidget(), &Button(windows, "CloseBitBtn"));
      Button(windows, "CloseBitBtn").click();
    }
    const std::string file = fixture.Folder.WriteFile("third", "x");
    windows.MainForm().StartBatch(TBatchMode::kEncrypt, {file});
    QTest::keyClick(&list, Qt::Key_Tab);
    QCOMPARE(dialog.focusWidget(), &Button(windows, "OKBitBtn"));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    QCOMPARE(dialog.focusWidget(), &Button(windows, "CloseBitBtn"));
  }

  // A text longer than its column is cut at its end, never in the middle, and shown whole as a tool tip; the
  // columns grow to fit what they show.
  void LongTextsFitOrShowWholeAsToolTips() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string longName = std::string(120, 'n') + ".txt";
    const std::string file = fixture.Folder.WriteFile(longName, "x");
    windows.MainForm().StartBatch(TBatchMode::kWipe, {file});
    QTableWidget& list = Control<QTableWidget>(windows.ConfirmationDlg(), "ListView");
    QCOMPARE(list.textElideMode(), Qt::ElideRight);
    QCOMPARE(list.item(0, 0)->toolTip(), Q(file));
    const int needed = list.fontMetrics().horizontalAdvance(Q(file));
    QVERIFY2(list.columnWidth(0) >= needed, qPrintable(QString::number(list.columnWidth(0))));
    fixture.Script.AnswerYes();
    Button(windows, "OKBitBtn").click();
    const QString result = ListColumn(windows, 0).value(0);
    QVERIFY(result.endsWith(Q(file)) && result != Q(file));
    QCOMPARE(list.item(0, 0)->toolTip(), result);
    QVERIFY(list.columnWidth(0) >= list.fontMetrics().horizontalAdvance(result));
  }

  // English windows draw a path's backslash as one; Japanese ones keep the Japanese font and its yen sign.
  void PathsOfEnglishWindowsComeInALatinFontFirst() {
    for (const TUiLanguage language : {TUiLanguage::kJapanese, TUiLanguage::kEnglish}) {
      UsePathFontFor(language);
      TGuiFixture fixture;
      TWindows& windows = fixture.Start();
      const QString family =
          QFontInfo(Control<QTableWidget>(windows.ConfirmationDlg(), "ListView").font()).family();
      if (language == TUiLanguage::kEnglish) {
        QVERIFY2(family != QStringLiteral("IPAPGothic"), qPrintable(family));
      } else {
        QCOMPARE(family, QStringLiteral("IPAPGothic"));
      }
    }
    UsePathFontFor(TUiLanguage::kJapanese);
  }

  void DeleteKeyRemovesSelectedRowsAndRecounts() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string a = fixture.Folder.WriteFile("a", "a");
    const std::string b = fixture.Folder.WriteFile("b", "b");
    const std::string c = fixture.Folder.WriteFile("c", "c");
    windows.MainForm().StartBatch(TBatchMode::kWipe, {a, b, c});
    QTableWidget& list = Control<QTableWidget>(windows.ConfirmationDlg(), "ListView");
    QTest::keyClick(&list, Qt::Key_Delete);  // nothing selected: nothing happens
    QCOMPARE(list.rowCount(), 3);
    list.selectRow(0);
    list.setSelectionMode(QAbstractItemView::MultiSelection);
    list.selectRow(2);
    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(ListColumn(windows, 0), QStringList({Q(b)}));
    QVERIFY(
        Control<QLabel>(windows.ConfirmationDlg(), "Label1").text().startsWith(QStringLiteral("以上1個の")));
  }

  void RowsOutOfViewDoNotRedrawTheList() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    constexpr int kRows = 60;  // far more than the list shows at once
    std::vector<std::string> files;
    for (int i = 0; i < kRows; ++i)
      files.push_back(fixture.Folder.WriteFile("f" + std::to_string(100 + i), "a few bytes"));
    windows.MainForm().StartBatch(TBatchMode::kEncrypt, files);
    QTableWidget& list = Control<QTableWidget>(windows.ConfirmationDlg(), "ListView");
    QCoreApplication::processEvents();
    TPaintCounter paints(*list.viewport());
    AnswerPassword(windows, "password");
    Button(windows, "OKBitBtn").click();  // each source is wiped (WIPESOURCE is on by default)
    QCOMPARE(ListColumn(windows, 0).filter(QStringLiteral("暗号化成功：")).size(), kRows);
    QVERIFY2(paints.Count < kRows / 2, qPrintable(QString::number(paints.Count) + " paints of the list"));
  }

  void SourceWipeOffersTheSkipButtonOnly() {
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini", "[SYSTEM]\nFIRSTEXEC=0\nPROCESSMSGINTV=1\n");
    TWindows& windows = fixture.Start();
    const std::string plain = fixture.Folder.WriteFile("big.bin", std::string(1 << 20, 'q'));
    windows.MainForm().StartBatch(TBatchMode::kEncrypt, {plain});
    const TSkipPresser skip(windows);
    AnswerPassword(windows, "password", "");
    Button(windows, "OKBitBtn").click();
    QVERIFY(skip.Offered);
    QVERIFY(!FileExists(plain));  // skipping shortens the overwrite; the file still goes
    QCOMPARE(ListColumn(windows, 0), QStringList({"暗号化成功：" + Q(plain)}));
    QVERIFY(!Button(windows, "SkipWipeBitBtn").isVisible());
  }

  // Rows run at once give what rows one after another give: the same texts in the same order, the same
  // summaries and the same files under the same names, collisions, failures and source wipes included.
  void SeveralWorkersGiveTheRowsAndFilesOfOne() {
    const TListOutcome one = RunListWithWorkers(1);
    QVERIFY(one.Texts.filter(QStringLiteral("_RENAMED")).size() > 0);
    QVERIFY(one.Texts.filter(QStringLiteral("失敗数")).size() > 0);
    for (const int workers : {2, 4}) {
      const TListOutcome many = RunListWithWorkers(workers);
      QCOMPARE(many.Texts, one.Texts);
      for (const auto& [name, bytes] : one.Files) QVERIFY2(many.Files.contains(name), name.c_str());
      QVERIFY2(many.Files == one.Files, qPrintable(QString::number(workers) + " workers"));
    }
  }

  // On several threads the title names the rows in progress and the skip button is offered during the
  // source wipe of a big file, the other controls staying locked.
  void SeveralWorkersShowTheRowsInProgressAndOfferTheSkipButton() {
    TGuiFixture fixture;
    TWindows& windows = fixture.Start();
    const std::string first = fixture.Folder.WriteFile("first.bin", std::string(16 << 20, 'f'));
    const std::string second = fixture.Folder.WriteFile("second.bin", std::string(16 << 20, 's'));
    TConfirmationDlg& list = windows.ConfirmationDlg();
    list.SetWorkers(2);
    windows.MainForm().StartBatch(TBatchMode::kEncrypt, {first, second});
    QStringList titles;
    connect(&list, &QWidget::windowTitleChanged, [&](const QString& title) { titles << title; });
    const TSkipPresser skip(windows);
    AnswerPassword(windows, "password", "");
    Button(windows, "OKBitBtn").click();
    QVERIFY(skip.Offered);
    QVERIFY2(titles.contains("[1-2/2Files]" + Q(first) + "を暗号化中"), qPrintable(titles.join("\n")));
    QCOMPARE(ListColumn(windows, 0), QStringList({"暗号化成功：" + Q(first), "暗号化成功：" + Q(second)}));
    QVERIFY(!FileExists(first) &&
            !FileExists(second));  // skipping shortens the overwrite; the file still goes
    QVERIFY(!Button(windows, "SkipWipeBitBtn").isVisible());
    QCOMPARE(DecryptedContent(second + ".enc", "password"), std::string(16 << 20, 's'));
  }

  // Without the other windows: the options come from the model, the password from the prompt it is given.
  void RunsAloneOnASettingsModel() {
    TempFolder folder;
    prompts::TPromptScript script;
    TSettings settings;
    settings.WipeSource = false;
    settings.SaveHint = false;
    settings.SetNamingMode(kNamingOwnExtension);
    settings.OwnExtStr = ".pic";
    settings.Algorithm = 1;
    settings.PassHint = "from the model";
    TConfirmationDlg list(settings);
    QStringList asked;
    bool answer = false;
    list.SetPasswordPrompt([&](bool decrypting, TSecretText& password, std::string&) {
      asked << (decrypting ? "decrypt" : "encrypt");
      password.Assign("secret");
      return answer;
    });
    const std::string plain = folder.WriteFile("photo", "pixels");
    QWidget caller;
    list.StartBatch(TBatchMode::kEncrypt, {plain}, caller);
    QVERIFY(!caller.isVisible() && list.isVisible());
    Control<QPushButton>(list, "OKBitBtn").click();  // cancelled: nothing is written
    QVERIFY(!FileExists(plain + ".pic"));
    answer = true;
    Control<QPushButton>(list, "OKBitBtn").click();
    QCOMPARE(asked, QStringList({"encrypt", "encrypt"}));
    QVERIFY(FileExists(plain));  // WipeSource off
    QCOMPARE(TempFolder::ReadFile(plain + ".pic").substr(20, 4), std::string("\x01\0\0\0", 4));  // Rijndael
    TFileEngine engine;
    QCOMPARE(engine.ReadHint(plain + ".pic"), std::string("from the model"));
    QCOMPARE(DecryptedContent(plain + ".pic", "secret"), std::string("pixels"));
    QVERIFY(settings.PassHint.empty());  // not kept: SaveHint is off
    list.close();
    QVERIFY(caller.isVisible());
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::ConfirmationDlgTest)
#include "ConfirmationDlgTest.moc"
