// The S-boxes of the GOST R 34.11-94 test parameter set and the four round tables built from them.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace zk {

// kGostSbox[i] is S(i+1): S1 substitutes the lowest nibble of the round input, S8 the highest.
inline constexpr uint8_t kGostSbox[8][16] = {
    {4, 10, 9, 2, 13, 8, 0, 14, 6, 11, 1, 12, 7, 15, 5, 3},
    {14, 11, 4, 12, 6, 13, 15, 10, 2, 3, 8, 1, 0, 7, 5, 9},
    {5, 8, 1, 13, 10, 3, 4, 2, 14, 15, 12, 7, 6, 0, 9, 11},
    {7, 13, 10, 1, 0, 8, 9, 15, 14, 4, 6, 12, 11, 2, 5, 3},
    {6, 12, 7, 1, 5, 15, 13, 8, 4, 10, 9, 14, 0, 3, 11, 2},
    {4, 11, 10, 0, 7, 2, 1, 13, 3, 6, 8, 5, 9, 12, 15, 14},
    {13, 11, 4, 1, 3, 15, 5, 9, 0, 10, 14, 7, 6, 8, 2, 12},
    {1, 15, 13, 0, 5, 7, 10, 4, 9, 2, 3, 14, 6, 11, 8, 12},
};

using GostRoundTables = std::array<std::array<uint32_t, 256>, 4>;

// Table t maps byte t of the round input to its two substituted nibbles, moved into place and rotated
// left by 11, so that the round function is the XOR of four lookups.
constexpr GostRoundTables MakeGostRoundTables() {
  GostRoundTables tables{};
  for (int t = 0; t < 4; ++t) {
    for (int b = 0; b < 256; ++b) {
      const uint32_t pair = uint32_t{kGostSbox[2 * t + 1][b >> 4]} << 4 | kGostSbox[2 * t][b & 15];
      tables[t][b] = std::rotl(pair << (8 * t), 11);
    }
  }
  return tables;
}

alignas(64) inline constexpr GostRoundTables kGostRoundTables = MakeGostRoundTables();

static_assert(kGostRoundTables[0][0] == 0x72000);

}  // namespace zk
