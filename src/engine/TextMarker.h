// The marker of a text that the desktop program shows translated. It leaves the text as it is; lupdate
// reads it as QT_TRANSLATE_NOOP (see the translations in src/ui/CMakeLists.txt), so the core's texts are
// listed for translation where they are defined, without Qt. Every core text uses the context "CoreTexts".
#pragma once

#define ZK_TRANSLATE_NOOP(context, text) text
