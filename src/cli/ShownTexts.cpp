#include "cli/ShownTexts.h"

#include <cstdlib>
#include <unordered_map>

#include "shell/Language.h"

namespace zk::cli {
namespace {

struct TTranslation {
  std::string_view source;
  std::string_view english;
};
constexpr TTranslation kEnglishTexts[] = {
#include "EnglishCoreTexts.inc"
};

}  // namespace

bool ShowsEnglish() {
  static const bool english =
      UiLanguage([](const char* name) { return std::getenv(name); }) == TUiLanguage::kEnglish;
  return english;
}

std::string_view EnglishText(std::string_view text) {
  static const std::unordered_map<std::string_view, std::string_view> english = [] {
    std::unordered_map<std::string_view, std::string_view> map;
    for (const TTranslation& entry : kEnglishTexts) map.emplace(entry.source, entry.english);
    return map;
  }();
  const auto found = english.find(text);
  return found != english.end() ? found->second : text;
}

std::string TranslatedTemplate(std::string_view templ) {
  return std::string(ShowsEnglish() ? EnglishText(templ) : templ);
}

std::string ShownText(const TText& text) { return RenderText(text, TranslatedTemplate); }

}  // namespace zk::cli
