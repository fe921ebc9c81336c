#include "Base64.h"

#include <algorithm>
#include <cstdint>

namespace zk {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Lenient: every character outside A-Z, a-z, 0-9 and '+' counts as 63, the slash and '=' included.
constexpr uint8_t ValueOf(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<uint8_t>(c - 'A');
  if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 'a' + 26);
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0' + 52);
  if (c == '+') return 62;
  return 63;
}

}  // namespace

// The group buffer lives across groups and a partial last group only overwrites its front, so the pad
// bits of the last character carry bits of the previous group. Containers store this output; keep it.
std::string Base64Encode(std::string_view Data) {
  std::string out;
  out.reserve((Data.size() + 2) / 3 * 4);
  uint8_t group[3] = {};
  for (size_t at = 0; at < Data.size(); at += 3) {
    const size_t n = std::min<size_t>(3, Data.size() - at);
    for (size_t i = 0; i < n; ++i) group[i] = static_cast<uint8_t>(Data[at + i]);
    out += kAlphabet[group[0] >> 2];
    out += kAlphabet[(group[0] & 3) << 4 | group[1] >> 4];
    out += kAlphabet[(group[1] & 15) << 2 | group[2] >> 6];
    out += kAlphabet[group[2] & 63];
  }
  switch (Data.size() % 3) {
    case 1:
      out.replace(out.size() - 2, 2, "==");
      break;
    case 2:
      out.back() = '=';
      break;
  }
  return out;
}

std::string Base64Decode(std::string_view Text) {
  if (Text.size() % 4 != 0) throw EZK_base64("Base64: Incorrect string format");
  std::string out;
  out.reserve(Text.size() / 4 * 3);
  for (size_t at = 0; at < Text.size(); at += 4) {
    const uint8_t w = ValueOf(Text[at]), x = ValueOf(Text[at + 1]);
    const uint8_t y = ValueOf(Text[at + 2]), z = ValueOf(Text[at + 3]);
    // Pads in the last quartet shorten it; elsewhere '=' is just another character worth 63.
    size_t bytes = 3;
    if (at + 4 == Text.size()) bytes = Text[at + 2] == '=' ? 1 : Text[at + 3] == '=' ? 2 : 3;
    out += static_cast<char>(w << 2 | x >> 4);
    if (bytes > 1) out += static_cast<char>(x << 4 | y >> 2);
    if (bytes > 2) out += static_cast<char>(y << 6 | z);
  }
  return out;
}

}  // namespace zk
