#include <gtest/gtest.h>

#include "Hex.h"
#include "platform/CodePage.h"
#include "platform/ControlEscapes.h"

namespace zk {
namespace {

std::string Bytes(std::string_view hex) {
  const std::vector<uint8_t> bytes = test::FromHex(hex);
  return std::string(bytes.begin(), bytes.end());
}

struct Case {
  std::string text;
  const char* kept;     // stray bytes kept (zkcli's lines)
  const char* escaped;  // stray bytes escaped (what the list shows of a name that is not CP932 either)
};

TEST(ControlEscapes, EveryControlIsVisibleAndTheFormIsUnambiguous) {
  const Case cases[] = {
      {"plain name.txt", "plain name.txt", "plain name.txt"},
      {"漢字 é 😀", "漢字 é 😀", "漢字 é 😀"},
      {"new\nline\ttab\rcr", "new\\nline\\ttab\\rcr", "new\\nline\\ttab\\rcr"},
      {std::string("nul\0x", 5), "nul\\x00x", "nul\\x00x"},
      {"\x1b]0;title\x07\x1b[2J", "\\x1b]0;title\\x07\\x1b[2J", "\\x1b]0;title\\x07\\x1b[2J"},
      {"\x1f\x7f~", "\\x1f\\x7f~", "\\x1f\\x7f~"},
      // A literal backslash is doubled, so that "\n" in a name never reads as a line break.
      {"a\\nb\\", "a\\\\nb\\\\", "a\\\\nb\\\\"},
      // C1 controls U+0080, U+009B (CSI), U+009F; U+00A0 is no control.
      {Bytes("c2 80 c2 9b 32 4a c2 9f c2 a0"), "\\xc2\\x80\\xc2\\x9b2J\\xc2\\x9f\u00a0",
       "\\xc2\\x80\\xc2\\x9b2J\\xc2\\x9f\u00a0"},
      // Stray bytes: a lone 9B, an overlong ESC (c0 9b), a cut-off sequence at the end.
      {"x" + Bytes("9b") + "y", "x\x9by", "x\\x9by"},
      {Bytes("c0 9b"), "\xc0\x9b", "\\xc0\\x9b"},
      {"a" + Bytes("e6 bc"), "a\xe6\xbc", "a\\xe6\\xbc"},
      // A C1 control among stray bytes is still found.
      {Bytes("ff c2 9b"), "\xff\\xc2\\x9b", "\\xff\\xc2\\x9b"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EscapeControls(c.text), c.kept) << c.kept;
    EXPECT_EQ(EscapeControls(c.text, TStrayBytes::kEscaped), c.escaped) << c.escaped;
  }
}

// Whatever the name holds, its shown form is one line without any byte a terminal acts on (in UTF-8).
TEST(ControlEscapes, NoByteOfAnyShownFormControlsATerminal) {
  for (int first = 0; first < 256; ++first)
    for (int second : {0x1b, 0x80, 0x9b, 0xa0}) {
      const std::string text{static_cast<char>(first), static_cast<char>(second)};
      const std::string shown = EscapeControls(text);
      for (size_t i = 0; i < shown.size();) {
        const size_t length = Utf8SequenceLength(shown, i);
        const auto byte = static_cast<unsigned char>(shown[i]);
        if (length == 1) {
          EXPECT_TRUE(byte >= 0x20 && byte != 0x7f) << first << " " << second;
        }
        if (length == 2) {
          EXPECT_FALSE(byte == 0xc2 && static_cast<unsigned char>(shown[i + 1]) < 0xa0)
              << first << " " << second;
        }
        i += length ? length : 1;
      }
    }
}

}  // namespace
}  // namespace zk
