// Hexadecimal texts for known-answer tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zk::test {

// "00 1f A0" or "001fa0" -> bytes; blanks are ignored.
std::vector<uint8_t> FromHex(std::string_view hex);
// Lower-case, no separators.
std::string ToHex(const void* data, size_t size);
inline std::string ToHex(const std::vector<uint8_t>& bytes) { return ToHex(bytes.data(), bytes.size()); }

}  // namespace zk::test
