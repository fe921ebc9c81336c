#include "shell/Language.h"

#include <optional>
#include <string_view>

namespace zk {
namespace {

// "ja" of "ja_JP.UTF-8@euro".
std::string_view LanguageCode(std::string_view locale) {
  return locale.substr(0, locale.find_first_of("_.@"));
}

bool IsCLocale(std::string_view locale) {
  const std::string_view code = LanguageCode(locale);
  return code.empty() || code == "C" || code == "POSIX";
}

std::optional<TUiLanguage> KnownLanguage(std::string_view locale) {
  const std::string_view code = LanguageCode(locale);
  if (code == "ja") return TUiLanguage::kJapanese;
  if (code == "en") return TUiLanguage::kEnglish;
  return std::nullopt;
}

std::string_view Variable(const TEnvironment& environment, const char* name) {
  const char* value = environment(name);
  return value ? value : "";
}

}  // namespace

TUiLanguage UiLanguage(const TEnvironment& environment) {
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = Variable(environment, name);
    if (!locale.empty()) break;
  }
  // As in gettext, LANGUAGE does not apply under the C locale.
  if (IsCLocale(locale)) return TUiLanguage::kJapanese;
  std::string_view list = Variable(environment, "LANGUAGE");
  while (!list.empty()) {
    const size_t colon = list.find(':');
    if (const std::optional<TUiLanguage> known = KnownLanguage(list.substr(0, colon))) return *known;
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  return KnownLanguage(locale).value_or(TUiLanguage::kEnglish);
}

}  // namespace zk
