// A text the user is shown, as a value: a whole sentence from the core's catalogue (a template marked with
// ZK_TRANSLATE_NOOP, "%1", "%2", ... standing for its values) and its values. The core never translates:
// whoever shows a text renders it, translating each template as a whole. Rendered without a translation it
// is the core's own text, byte for byte the Japanese the program has always shown.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/TextMarker.h"

namespace zk {

struct TText {
  std::string_view Template;  // empty for a plain value
  std::string Plain;          // a plain value (a path, a number, a hint): shown as it is, never translated
  std::vector<TText> Values;  // the values of the template's placeholders, %1 first
};

// A sentence of the catalogue whose values are plain.
TText Sentence(std::string_view templ, std::vector<std::string> plainValues = {});
// A sentence of the catalogue whose values are texts of their own, each translated as a whole.
TText Composed(std::string_view templ, std::vector<TText> values);
TText PlainText(std::string value);

// The translation of a template as a whole (the desktop program's translator, zkcli's English table).
using TShownText = std::function<std::string(std::string_view templ)>;
// How a plain value is shown (the desktop program shows names that are not UTF-8 its own way).
using TValueDisplay = std::function<std::string(std::string_view value)>;

// The text with its template translated (kept without a translation) and each placeholder replaced by its
// value rendered the same way, in one pass: a value that holds "%2" stays as it is. A "%" not followed by
// the number of a value stands as it is.
std::string RenderText(const TText& text, const TShownText& translate = {},
                       const TValueDisplay& display = {});

}  // namespace zk
