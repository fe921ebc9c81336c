#include "app/Program.h"

#include <QApplication>
#include <QFont>
#include <optional>

#include "app/MainForm.h"
#include "app/Windows.h"
#include "platform/SingleInstance.h"
#include "shell/Settings.h"
#include "ui/Messages.h"
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
  QApplication::setWindowIcon(Picture(TPicture::kProgram));
  QApplication::setQuitOnLastWindowClosed(false);  // only closing the main window ends the program
}

int RunProgram(TProgramState state) {
  std::optional<SingleInstanceLock> instance;
  if (ReadSetting(settings::kDbChk, state.SettingsFile)) {
    instance = SingleInstanceLock::TryAcquire();
    if (!instance) {
      prompts::Information(nullptr, MessageText(kAlreadyRunning));
      return 0;
    }
  }
  TWindows windows(std::move(state));
  windows.MainForm().show();
  return QApplication::exec();
}

}  // namespace zk
