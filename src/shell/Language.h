// The language of the user interface, chosen from the locale the way gettext programs choose it.
#pragma once

#include <functional>

namespace zk {

enum class TUiLanguage { kJapanese, kEnglish };

// Reads an environment variable; null when it is not set.
using TEnvironment = std::function<const char*(const char*)>;

// Japanese for a ja locale and for C/POSIX or no locale at all (the program's own language), English for
// every other locale. The locale is the first of LC_ALL, LC_MESSAGES, LANG that is set; unless it is C or
// POSIX, the list in LANGUAGE comes first: its first Japanese or English entry decides, others are skipped.
TUiLanguage UiLanguage(const TEnvironment& environment);

}  // namespace zk
