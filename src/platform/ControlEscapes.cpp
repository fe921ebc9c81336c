#include "platform/ControlEscapes.h"

#include "platform/CodePage.h"

namespace zk {
namespace {

void AppendHexEscape(std::string& text, unsigned char byte) {
  static constexpr char kHex[] = "0123456789abcdef";
  text += "\\x";
  text += kHex[byte >> 4];
  text += kHex[byte & 0xF];
}

// A C1 control in UTF-8: U+0080 to U+009F, encoded C2 80 to C2 9F.
bool IsC1Control(std::string_view sequence) {
  return sequence.size() == 2 && static_cast<unsigned char>(sequence[0]) == 0xC2 &&
         static_cast<unsigned char>(sequence[1]) <= 0x9F;
}

void AppendAscii(std::string& text, char c) {
  switch (c) {
    case '\n':
      text += "\\n";
      return;
    case '\t':
      text += "\\t";
      return;
    case '\r':
      text += "\\r";
      return;
    case '\\':
      text += "\\\\";
      return;
    default:
      break;
  }
  if (c < 0x20 || c == 0x7F)
    AppendHexEscape(text, static_cast<unsigned char>(c));
  else
    text += c;
}

}  // namespace

std::string EscapeControls(std::string_view text, TStrayBytes stray) {
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 1) {
      AppendAscii(shown, text[i]);
    } else if (length == 0 && stray == TStrayBytes::kEscaped) {
      AppendHexEscape(shown, static_cast<unsigned char>(text[i]));
    } else if (length == 0) {
      shown += text[i];
    } else if (IsC1Control(text.substr(i, length))) {
      for (size_t k = 0; k < length; ++k) AppendHexEscape(shown, static_cast<unsigned char>(text[i + k]));
    } else {
      shown.append(text.substr(i, length));
    }
    i += length ? length : 1;
  }
  return shown;
}

}  // namespace zk
