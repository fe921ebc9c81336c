#include "app/Program.h"

#include <QApplication>
#include <QFont>
#include <QSettings>
#include <optional>

#include "app/CommandLine.h"
#include "app/HandOver.h"
#include "app/MainForm.h"
#include "app/Windows.h"
#include "platform/SingleInstance.h"
#include "shell/Settings.h"
#include "ui/Messages.h"
#include "ui/PasswordStyle.h"
#include "ui/PathFont.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"
#include "ui/Translations.h"

namespace zk {

void SetUpApplication(QApplication& application, TUiLanguage language) {
  // The name alone (no display name), so that window titles stay exactly as the windows set them.
  QApplication::setApplicationName(QStringLiteral("ZK"));
  QGuiApplication::setDesktopFileName(QStringLiteral("zk"));
  // The forms ask for the Japanese Windows font; IPAPGothic has nearly the same metrics.
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
  InstallTranslations(application, language);
  UsePathFontFor(language);
  QApplication::setWindowIcon(Picture(TPicture::kProgram));
  QApplication::setStyle(new TPasswordStyle);  // the application takes it
  // Qt's own file dialog keeps the folders it visited (those whose files were just wiped, say) in
  // QtProject.conf of the user's configuration folder. A wiping tool keeps no such list, and this program
  // keeps its settings in ZK.ini alone, so Qt's settings are sent where no file can be made.
  for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
    QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
  QApplication::setQuitOnLastWindowClosed(false);  // only closing the main window ends the program
}

int RunProgram(TProgramState state) {
  std::optional<TSingleInstanceLock> instance;
  std::optional<THandOverServer> handOvers;
  if (ReadSetting(settings::kDbChk, state.SettingsFile)) {
    instance = TSingleInstanceLock::TryAcquire();
    if (instance->AnotherInstanceRuns()) {
      // Files go to the running program, which takes them as a drop; anything else (or a program that
      // does not answer) gets the message, in front of the running program's windows.
      const std::optional<THandOver> handOver = HandOverOf(state.CommandLine, state.StartFolder);
      if (!handOver || !SendHandOver(TSingleInstanceLock::HandOverSocketPath(), *handOver))
        prompts::Notice(MessageText(kAlreadyRunning));
      return 0;
    }
    if (instance->Held()) handOvers.emplace(TSingleInstanceLock::HandOverSocketPath());
  }
  TWindows windows(std::move(state));
  if (handOvers)
    QObject::connect(&*handOvers, &THandOverServer::Received, &windows, &TWindows::TakeHandOver);
  windows.MainForm().show();
  return QApplication::exec();
}

}  // namespace zk
