// The font of paths. The Japanese font draws the byte 0x5C, the path separator of Windows and of names
// taken from there, as a yen sign: what Japanese users know and expect, so Japanese windows keep it. An
// English reader would take it for a yen sign, so English windows show paths in a Latin font first, the
// Japanese font still drawing the Japanese characters.
#pragma once

#include "shell/Language.h"

class QWidget;

namespace zk {

// Chosen once at start, with the language of the windows.
void UsePathFontFor(TUiLanguage language);

// Gives `widget`, which shows paths, the path font of the language chosen.
void ApplyPathFont(QWidget& widget);

}  // namespace zk
