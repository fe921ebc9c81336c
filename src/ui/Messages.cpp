#include "ui/Messages.h"

namespace zk {

std::string MessageText(std::span<const std::string_view> lines) {
  constexpr std::string_view kWebMark = "{WEB}";
  std::string text;
  for (std::string_view line : lines) {
    if (!text.empty()) text += "\r\n";
    const size_t mark = line.find(kWebMark);
    if (mark == std::string_view::npos) {
      text += line;
    } else {
      text.append(line.substr(0, mark)).append(kWebAddress).append(line.substr(mark + kWebMark.size()));
    }
  }
  return text;
}

}  // namespace zk
