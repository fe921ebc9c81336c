#include <gtest/gtest.h>

#include "Hex.h"
#include "platform/CodePage.h"

namespace zk {
namespace {

std::string Bytes(std::string_view hex) {
  const std::vector<uint8_t> bytes = test::FromHex(hex);
  return std::string(bytes.begin(), bytes.end());
}

struct Cp932Case {
  const char* utf8;
  const char* cp932Hex;
};

TEST(CodePage, ConvertsBothWaysWithTheWindowsTable) {
  const Cp932Case cases[] = {
      {"漢字", "8a bf 8e 9a"},
      {"～", "81 60"},  // U+FF5E: the Windows table; SHIFT_JIS would want U+301C here
      {"∥", "81 61"},   // U+2225, where SHIFT_JIS has U+2016
      {"①", "87 40"},   // NEC special character
      {"ｱ", "b1"},      // half-width katakana is one byte
      {"a\\b~", "61 5c 62 7e"},
      {"", ""},
  };
  for (const Cp932Case& c : cases) {
    EXPECT_EQ(test::ToHex(Utf8ToCp932(c.utf8).data(), Utf8ToCp932(c.utf8).size()),
              test::ToHex(test::FromHex(c.cp932Hex)))
        << c.utf8;
    EXPECT_EQ(Cp932ToUtf8(Bytes(c.cp932Hex)), c.utf8) << c.cp932Hex;
    EXPECT_EQ(Cp932Length(c.utf8), test::FromHex(c.cp932Hex).size()) << c.utf8;
  }
}

TEST(CodePage, TextOutsideCp932StaysUtf8) {
  for (const char* text : {"😀", "漢字😀", "Ελληνικά ünïcödé ẞ"}) {
    EXPECT_EQ(Utf8ToCp932(text), text);
    EXPECT_EQ(Cp932Length(text), std::string_view(text).size());
  }
  const std::string invalidUtf8 = Bytes("ff fe 41");
  EXPECT_EQ(Utf8ToCp932(invalidUtf8), invalidUtf8);
}

TEST(CodePage, InvalidCp932ComesBackUnchanged) {
  for (const char* hex : {"81", "41 81", "81 20", "ff ff"})
    EXPECT_EQ(Cp932ToUtf8(Bytes(hex)), Bytes(hex)) << hex;
}

TEST(CodePage, StoredNamesAreUtf8WhenValidElseCp932) {
  EXPECT_EQ(StoredNameToUtf8(Bytes("8a bf 8e 9a 2e 74 78 74")), "漢字.txt");
  EXPECT_EQ(StoredNameToUtf8("漢字.txt"), "漢字.txt");
  EXPECT_EQ(StoredNameToUtf8("plain.txt"), "plain.txt");
  EXPECT_EQ(StoredNameToUtf8(Bytes("b1 b2")), "ｱｲ");
}

// Each part of a path on its own: UTF-8 as it is, else CP932, else the bytes outside UTF-8 escaped; controls
// escaped in every case.
TEST(CodePage, PathDisplayText) {
  struct Case {
    std::string path;
    const char* shown;
  } cases[] = {
      {"/home/u/漢字.txt", "/home/u/漢字.txt"},
      {"/home/u/" + Bytes("8a bf 8e 9a 2e 74 78 74"), "/home/u/漢字.txt"},
      {"/home/ユーザー/" + Bytes("83 81 83 82"), "/home/ユーザー/メモ"},
      {Bytes("b1 b2") + "/x", "ｱｲ/x"},
      {"/a/" + Bytes("ff 41 81") + "/é", "/a/\\xffA\\x81/é"},
      {"/a/" + Bytes("41 81") + "/" + Bytes("a0"), "/a/A\\x81/\\xa0"},
      // Control characters never break the line, whichever way the part is decoded.
      {"/u/new\nline\x1b[2J.txt", "/u/new\\nline\\x1b[2J.txt"},
      {"/u/" + Bytes("83 81 0a 5c"), "/u/メ\\n\\\\"},
      {"/u/" + Bytes("ff 0d"), "/u/\\xff\\r"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PathDisplayText(c.path), c.shown) << c.shown;
}

TEST(CodePage, Utf8Validation) {
  struct Case {
    const char* hex;
    bool valid;
  } cases[] = {
      {"", true},          {"41 7f", true},        {"c3 a9", true},
      {"e6 bc a2", true},  {"f0 9f 98 80", true},  {"f4 8f bf bf", true},
      {"c0 80", false},    {"c1 bf", false},       {"e0 9f bf", false},
      {"ed a0 80", false}, {"f4 90 80 80", false}, {"f5 80 80 80", false},
      {"e6 bc", false},    {"80", false},          {"c3 41", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(Bytes(c.hex)), c.valid) << c.hex;
}

}  // namespace
}  // namespace zk
