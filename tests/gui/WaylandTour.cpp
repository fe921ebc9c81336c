// zk as a native Wayland client under a real compositor (run by WaylandTest.sh inside a headless Weston):
// every window of the tour is mapped, a run goes through, and what a client may not do on Wayland (place its
// windows, keep them on top) costs nothing: the saved place stays as it was. With ZK_SCREENSHOTS set, the
// compositor's output is saved there as each window shows.
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "GuiFixture.h"
#include "LanguageScope.h"
#include "WindowTour.h"
#include "app/MainForm.h"
#include "app/Program.h"

namespace zk::test {
namespace {

// The compositor's whole output as `name`.png in `folder`, through Weston's screenshot client.
bool TakeScreenshot(const QString& folder, const QString& name) {
  QDir dir(folder);
  for (const QString& old : dir.entryList({QStringLiteral("wayland-screenshot-*.png")})) dir.remove(old);
  QProcess shooter;
  shooter.setWorkingDirectory(folder);
  shooter.start(QStringLiteral("weston-screenshooter"), {});
  if (!QTest::qWaitFor([&] { return shooter.state() == QProcess::NotRunning; }, 10000)) return false;
  const QStringList taken = dir.entryList({QStringLiteral("wayland-screenshot-*.png")});
  dir.remove(name + QStringLiteral(".png"));
  return taken.size() == 1 && dir.rename(taken.first(), name + QStringLiteral(".png"));
}

QString FileName(int number, QString state) {
  state.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("-"));
  return QStringLiteral("%1-%2").arg(number, 2, 10, QLatin1Char('0')).arg(state);
}

}  // namespace

class WaylandTour : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    SetUpApplication(*qApp, TUiLanguage::kJapanese);
  }

  void EveryWindowIsMappedByTheCompositor_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("Japanese") << static_cast<int>(TUiLanguage::kJapanese);
    QTest::newRow("English") << static_cast<int>(TUiLanguage::kEnglish);
  }

  // The screenshots of the English tour are named *-en.png.
  void EveryWindowIsMappedByTheCompositor() {
    QFETCH(int, language);
    TLanguageScope scope(static_cast<TUiLanguage>(language));
    const QString suffix =
        language == static_cast<int>(TUiLanguage::kEnglish) ? QStringLiteral("-en") : QString();
    TGuiFixture fixture;
    const QString screenshots = qEnvironmentVariable("ZK_SCREENSHOTS");
    QStringList states;
    QStringList unmapped;
    QStringList notTaken;
    TourWindows(fixture, [&](QWidget& window, const QString& state) {
      states << state;
      if (!QTest::qWaitForWindowExposed(&window)) unmapped << state;
      QTest::qWait(200);  // the compositor draws the new frame
      if (!screenshots.isEmpty() && !TakeScreenshot(screenshots, FileName(states.size(), state) + suffix))
        notTaken << state;
    });
    QVERIFY2(unmapped.isEmpty(), qPrintable(unmapped.join(u'\n')));
    QVERIFY2(notTaken.isEmpty(), qPrintable(notTaken.join(u'\n')));
    QVERIFY(states.contains(QStringLiteral("confirmation, after the run")));
  }

  // A Wayland client cannot learn where its window stands: the close keeps the saved place.
  void TheSavedPlaceStays() {
    TGuiFixture fixture;
    fixture.Folder.WriteFile("ZK.ini", "[WINDOWPOS]\nX=321\nY=234\n[SYSTEM]\nMAINTOP=1\n");
    TWindows& windows = fixture.Start();
    QVERIFY(QTest::qWaitForWindowExposed(&windows.MainForm()));
    windows.MainForm().close();
    const QStringList lines = fixture.SettingsLines();
    QVERIFY2(lines.contains(QStringLiteral("X=321")) && lines.contains(QStringLiteral("Y=234")),
             qPrintable(lines.join(u' ')));
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::WaylandTour)
#include "WaylandTour.moc"
