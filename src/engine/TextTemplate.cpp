#include "engine/TextTemplate.h"

#include <utility>

namespace zk {

TText Sentence(std::string_view templ, std::vector<std::string> plainValues) {
  TText text;
  text.Template = templ;
  for (std::string& value : plainValues) text.Values.push_back(PlainText(std::move(value)));
  return text;
}

TText Composed(std::string_view templ, std::vector<TText> values) {
  TText text;
  text.Template = templ;
  text.Values = std::move(values);
  return text;
}

TText PlainText(std::string value) {
  TText text;
  text.Plain = std::move(value);
  return text;
}

std::string RenderText(const TText& text, const TShownText& translate, const TValueDisplay& display) {
  if (text.Template.empty()) return display ? display(text.Plain) : text.Plain;
  const std::string templ = translate ? translate(text.Template) : std::string(text.Template);
  std::string out;
  for (size_t at = 0; at < templ.size(); ++at) {
    const char next = at + 1 < templ.size() ? templ[at + 1] : '\0';
    const size_t index = static_cast<size_t>(next - '1');
    if (templ[at] == '%' && next >= '1' && next <= '9' && index < text.Values.size()) {
      out += RenderText(text.Values[index], translate, display);
      ++at;
    } else {
      out += templ[at];
    }
  }
  return out;
}

}  // namespace zk
