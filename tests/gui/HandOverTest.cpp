// A second start of zk with files hands them to the running program. The running program is this test's
// windows; the second is the real zk in a process of its own, started as a file manager starts it.
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "GuiFixture.h"
#include "app/CommandLine.h"
#include "app/HandOver.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "dialogs/ConfirmationDlg.h"
#include "platform/FileInfo.h"
#include "platform/SingleInstance.h"

namespace zk::test {
namespace {

using prompts::TPromptKind;

// The running program: the windows, holding the single-instance lock and listening for hand-overs.
class TRunningProgram {
 public:
  TRunningProgram() {
    fixture_.Folder.MakeFolder("runtime");
    ::chmod(fixture_.Folder.Path("runtime").c_str(), 0700);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(fixture_.Folder.Path("runtime")));
    lock_.emplace(TSingleInstanceLock::TryAcquire());
    if (!lock_->Held()) qFatal("the single-instance lock was not taken");
    server_.emplace(TSingleInstanceLock::HandOverSocketPath());
    if (!server_->Listening()) qFatal("no hand-over socket");
    TWindows& windows = fixture_.Start();
    QObject::connect(&*server_, &THandOverServer::Received, &windows, &TWindows::TakeHandOver);
  }
  ~TRunningProgram() { qunsetenv("XDG_RUNTIME_DIR"); }

  TGuiFixture& Fixture() { return fixture_; }
  TWindows& Windows() { return fixture_.Windows(); }

  // A second zk (a copy with no ZK.ini beside it: DBCHK on) started in the fixture's folder with these
  // words; its exit status, -1 when it did not end by itself.
  int RunSecond(const QStringList& words) {
    const std::string copy = fixture_.Folder.Path("second-zk");
    if (!QFile::exists(QString::fromStdString(copy)) && ::link(ZK_PROGRAM, copy.c_str()) != 0 &&
        !QFile::copy(QStringLiteral(ZK_PROGRAM), QString::fromStdString(copy)))
      qFatal("zk cannot be copied");
    QProcess second;
    second.setProgram(QString::fromStdString(copy));
    second.setArguments(words);
    second.setWorkingDirectory(QString::fromStdString(fixture_.Folder.Path()));
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start();
    // The running program must answer from its event loop while the second one waits.
    if (!QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 30000)) {
      second.kill();
      second.waitForFinished();
      return -1;
    }
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
  }

 private:
  TGuiFixture fixture_;
  std::optional<TSingleInstanceLock> lock_;
  std::optional<THandOverServer> server_;
};

QString Q(const std::string& path) { return QString::fromStdString(path); }

}  // namespace

class HandOverTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpApplication(*qApp, TUiLanguage::kJapanese); }

  // Only paths with a mode are handed over; anything meant for a program of its own stays with it.
  void CommandLinesThatAreHandedOver_data() {
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<bool>("handedOver");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("a file") << QStringList{"a.txt"} << true << 0 << QStringList{"/start/a.txt"};
    QTest::newRow("last mode wins") << QStringList{"-d", "/x/a b", "-W", " -e ", "c"} << true << 0
                                    << QStringList{"/x/a b", "/start/c"};
    QTest::newRow("decrypt") << QStringList{"-D", "a.enc", "$HOME\\b"} << true << 1
                             << QStringList{"/start/a.enc", "/start/$HOME\\b"};
    QTest::newRow("wipe") << QStringList{"-w", "a"} << true << 2 << QStringList{"/start/a"};
    QTest::newRow("no path") << QStringList{"-D"} << false << 0 << QStringList{};
    QTest::newRow("nothing") << QStringList{} << false << 0 << QStringList{};
    QTest::newRow("password") << QStringList{"-P", "secret", "a"} << false << 0 << QStringList{};
    QTest::newRow("run at once") << QStringList{"-W", "-F", "a"} << false << 0 << QStringList{};
    QTest::newRow("end after run") << QStringList{"-I", "a"} << false << 0 << QStringList{};
    QTest::newRow("hint") << QStringList{"a", "-H", "h"} << false << 0 << QStringList{};
    QTest::newRow("direct output") << QStringList{"-A", "out", "a"} << false << 0 << QStringList{};
  }
  void CommandLinesThatAreHandedOver() {
    QFETCH(QStringList, words);
    QFETCH(bool, handedOver);
    std::vector<std::string> arguments;
    for (const QString& word : words) arguments.push_back(word.toStdString());
    const std::optional<THandOver> handOver = HandOverOf(arguments, "/start");
    QCOMPARE(handOver.has_value(), handedOver);
    if (!handOver) return;
    QFETCH(int, mode);
    QFETCH(QStringList, paths);
    QCOMPARE(static_cast<int>(handOver->Mode), mode);
    QStringList got;
    for (const std::string& path : handOver->Paths) got << Q(path);
    QCOMPARE(got, paths);
  }

  void FilesReachTheMainWindowAsADropInTheSecondStartsMode() {
    TRunningProgram program;
    TWindows& windows = program.Windows();
    TempFolder& folder = program.Fixture().Folder;
    const std::string first = MakeContainer(folder.WriteFile("a $b.txt", "a"), "pw", "ひんと");
    folder.MakeFolder("sub");
    const std::string second = MakeContainer(folder.WriteFile("sub/c\\d.txt", "c"), "pw", "two");
    const int promptsBefore = program.Fixture().Script.Texts(TPromptKind::kInformation).size();

    QCOMPARE(program.RunSecond({"-D", "a $b.txt.enc", Q(second)}), 0);
    QVERIFY(QTest::qWaitFor([&] { return windows.ConfirmationDlg().isVisible(); }));
    QCOMPARE(windows.ConfirmationDlg().Batch().Mode(), TBatchMode::kDecrypt);
    QCOMPARE(windows.ConfirmationDlg().Batch().Count(), 2);
    QCOMPARE(windows.ConfirmationDlg().Batch().Rows()[0].Path, first);
    QCOMPARE(windows.ConfirmationDlg().Batch().Rows()[1].Path, second);
    QCOMPARE(ListColumn(windows, 1), QStringList({"ひんと", "two"}));
    QVERIFY(!windows.MainForm().isVisible());
    // The second start said nothing; the running one showed no message either.
    QCOMPARE(program.Fixture().Script.Texts(TPromptKind::kInformation).size(), promptsBefore);
  }

  void FilesWaitUntilTheOpenListIsClosed() {
    TRunningProgram program;
    TWindows& windows = program.Windows();
    TempFolder& folder = program.Fixture().Folder;
    const std::string open = folder.WriteFile("open.txt", "x");
    const std::string later = folder.WriteFile("later.txt", "y");
    DropFiles(Control<QPushButton>(windows.MainForm(), "EncBitBtn"), {open});
    QVERIFY(windows.ConfirmationDlg().isVisible());

    QCOMPARE(program.RunSecond({"-W", Q(later)}), 0);
    QTest::qWait(500);
    QCOMPARE(ListColumn(windows, 0), QStringList({Q(open)}));
    QCOMPARE(windows.ConfirmationDlg().Batch().Mode(), TBatchMode::kEncrypt);

    Control<QPushButton>(windows.ConfirmationDlg(), "CloseBitBtn").click();
    QVERIFY(QTest::qWaitFor([&] { return ListColumn(windows, 0) == QStringList({Q(later)}); }));
    QVERIFY(windows.ConfirmationDlg().isVisible());
    QCOMPARE(windows.ConfirmationDlg().Batch().Mode(), TBatchMode::kWipe);
  }

  // Picks during the password dialog and during the run itself come after the run's list is closed, each
  // as a batch of its own, in the order they came.
  void FilesPickedDuringARunFollowIt() {
    TRunningProgram program;
    TWindows& windows = program.Windows();
    TempFolder& folder = program.Fixture().Folder;
    const std::string running = folder.WriteFile("running.txt", std::string(8 << 20, 'r'));
    const std::string duringDialog = folder.WriteFile("dialog.txt", "d");
    const std::string duringRun = folder.WriteFile("run.txt", "r");
    windows.ConfirmationDlg().SetWorkers(1);
    windows.ConfirmationDlg().Engine().ProcessMsgInterval = 1;
    int secondDuringDialog = -2;
    int secondDuringRun = -2;
    // The second start during the run comes from the events the run lets through, once it has locked the list.
    QTimer duringTheRun;
    QObject::connect(&duringTheRun, &QTimer::timeout, &windows, [&] {
      if (Control<QAbstractButton>(windows.ConfirmationDlg(), "CloseBitBtn").isEnabled()) return;
      duringTheRun.stop();
      secondDuringRun = program.RunSecond({"-D", Q(duringRun)});
    });
    DropFiles(Control<QPushButton>(windows.MainForm(), "EncBitBtn"), {running});
    WhenPasswordAsked(windows, [&](QWidget& dialog) {
      secondDuringDialog = program.RunSecond({Q(duringDialog)});
      Control<QLineEdit>(dialog, "PassEdit").setText("password");
      Control<QLineEdit>(dialog, "PassCEdit").setText("password");
      duringTheRun.start(0);
      Control<QAbstractButton>(dialog, "BitBtn1").click();
    });
    Control<QAbstractButton>(windows.ConfirmationDlg(), "OKBitBtn").click();
    QVERIFY(QTest::qWaitFor([&] { return secondDuringRun != -2; }, 60000));
    QCOMPARE(secondDuringDialog, 0);
    QCOMPARE(secondDuringRun, 0);
    // The run's own list stays as it ended, until it is closed.
    QVERIFY(Control<QAbstractButton>(windows.ConfirmationDlg(), "CloseBitBtn").isEnabled());
    QCOMPARE(windows.ConfirmationDlg().Batch().Count(), 1);
    QCOMPARE(windows.ConfirmationDlg().Batch().Rows()[0].Path, running);
    QVERIFY(FileExists(running + ".enc"));

    Control<QPushButton>(windows.ConfirmationDlg(), "CloseBitBtn").click();
    QVERIFY(QTest::qWaitFor([&] { return ListColumn(windows, 0) == QStringList({Q(duringDialog)}); }));
    QCOMPARE(windows.ConfirmationDlg().Batch().Mode(), TBatchMode::kEncrypt);
    Control<QPushButton>(windows.ConfirmationDlg(), "CloseBitBtn").click();
    QVERIFY(QTest::qWaitFor([&] { return ListColumn(windows, 0) == QStringList({Q(duringRun)}); }));
    QCOMPARE(windows.ConfirmationDlg().Batch().Mode(), TBatchMode::kDecrypt);
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::HandOverTest)
#include "HandOverTest.moc"
