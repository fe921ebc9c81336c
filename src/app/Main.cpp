// zk: the desktop program.
#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "app/Program.h"
#include "platform/ProcessProtection.h"
#include "platform/UnfinishedFiles.h"
#include "shell/IniUnit.h"
#include "shell/Language.h"

int main(int argc, char** argv) {
  // Before the first password (-P, the password dialog): no core dump, and no other process of the user
  // reads our memory or attaches to us.
  zk::ProtectProcessMemory();
  // In a Wayland session a native Wayland client, and X11 (XWayland) where Qt's Wayland plugin is missing.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "wayland;xcb");
  QApplication application(argc, argv);  // takes Qt's own options out of argv
  // A kill or the end of the session in the middle of a run leaves no unfinished output behind.
  zk::RemoveUnfinishedFilesOnStopSignals();
  zk::SetUpApplication(application, zk::UiLanguage(std::getenv));
  zk::TProgramState state;
  state.SettingsFile = zk::IniPath(zk::kIniFileName);
  std::error_code error;
  state.StartFolder = std::filesystem::current_path(error).string();
  for (int i = 1; i < argc; ++i) state.CommandLine.emplace_back(argv[i]);
  return zk::RunProgram(std::move(state));
}
