// The program keeps no state outside ZK.ini: a session that uses the file dialog leaves the user's
// configuration folder as it found it (Qt's own file dialog would add QtProject.conf with its history of
// visited folders).
#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include "GuiFixture.h"
#include "app/MainForm.h"
#include "app/Program.h"

namespace zk::test {

class ConfigTraceTest : public QObject {
  Q_OBJECT

 public:
  explicit ConfigTraceTest(const TempFolder& home) : home_(home) {}

 private slots:
  void initTestCase() { SetUpApplication(*qApp, TUiLanguage::kJapanese); }

  void FileDialogLeavesNoTraceInTheConfigurationFolder() {
    const std::vector<std::string> before = home_.Listing();
    {
      TGuiFixture fixture;
      TWindows& windows = fixture.Start();
      fixture.Folder.MakeFolder("wiped");
      const std::string chosen = fixture.Folder.WriteFile("wiped/secret.txt", "x");
      QFileDialog& dialog = windows.MainForm().OpenDialog;
      QTimer::singleShot(0, &dialog, [&] {
        dialog.setDirectory(QString::fromStdString(fixture.Folder.Path("wiped")));
        dialog.selectFile(QString::fromStdString(chosen));
        QMetaObject::invokeMethod(&dialog, "accept");  // as the Open button does
      });
      QCOMPARE(dialog.exec(), int(QDialog::Accepted));
      QCOMPARE(dialog.selectedFiles(), QStringList{QString::fromStdString(chosen)});
      windows.MainForm().close();
    }  // the windows, and with them the file dialog, are gone
    QCOMPARE(home_.Listing(), before);
  }

 private:
  const TempFolder& home_;
};

}  // namespace zk::test

int main(int argc, char** argv) {
  // Qt settles the user's configuration folder at its first use: the test's own home comes first.
  zk::test::TempFolder home;
  home.MakeFolder(".config");
  qputenv("HOME", QByteArray::fromStdString(home.Path()));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.Path(".config")));
  QApplication application(argc, argv);
  zk::test::ConfigTraceTest test(home);
  return QTest::qExec(&test, argc, argv);
}

#include "ConfigTraceTest.moc"
