// Puts the user interface into its language.
#pragma once

#include "shell/Language.h"

class QCoreApplication;
class QTranslator;

namespace zk {

// Japanese: the program's texts are Japanese already; Qt's own (standard buttons and dialogs) come from
// qtbase_ja. English: the program's English translation, built into the program; Qt's texts are English
// already. Returns the translator, owned by the application; null when it could not be loaded (the texts
// then stay as they are).
QTranslator* InstallTranslations(QCoreApplication& application, TUiLanguage language);

}  // namespace zk
