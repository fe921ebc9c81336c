// zkcli's language: the desktop program's rule (Japanese under ja, C, POSIX and no locale; English under any
// other), read once from the environment. In Japanese every text stands byte for byte as the core defines
// it, so scripts written against those lines keep working.
#pragma once

#include <string>
#include <string_view>

#include "engine/TextTemplate.h"

namespace zk::cli {

bool ShowsEnglish();
// The English translation of a core text; the text itself when it has none.
std::string_view EnglishText(std::string_view text);
// A template of the core as zkcli shows it: its English translation (the desktop program's) in English,
// else as it stands.
std::string TranslatedTemplate(std::string_view templ);
// A text of the core as zkcli shows it, its templates translated so.
std::string ShownText(const TText& text);

}  // namespace zk::cli
