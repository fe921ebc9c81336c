#include "Hex.h"

#include <stdexcept>

namespace zk::test {

std::vector<uint8_t> FromHex(std::string_view hex) {
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::invalid_argument("bad hex digit");
  };
  std::vector<uint8_t> out;
  int high = -1;
  for (char c : hex) {
    if (c == ' ' || c == '\n') continue;
    if (high < 0) {
      high = nibble(c);
    } else {
      out.push_back(static_cast<uint8_t>(high << 4 | nibble(c)));
      high = -1;
    }
  }
  if (high >= 0) throw std::invalid_argument("odd number of hex digits");
  return out;
}

std::string ToHex(const void* data, size_t size) {
  static const char digits[] = "0123456789abcdef";
  auto p = static_cast<const uint8_t*>(data);
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    out += digits[p[i] >> 4];
    out += digits[p[i] & 15];
  }
  return out;
}

}  // namespace zk::test
