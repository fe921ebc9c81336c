// The life of the desktop program: the application's own settings (title, fonts, translation, icon),
// the single-instance rule, the six windows and the event loop.
#pragma once

#include "app/ProgramState.h"
#include "shell/Language.h"

class QApplication;

namespace zk {

// Fonts, icon and the translations of `language`.
void SetUpApplication(QApplication& application, TUiLanguage language);

// Returns the exit status. With DBCHK on (the default) a second instance only says so and ends.
int RunProgram(TProgramState state);

}  // namespace zk
