// The fixed tables of Twofish, computed by the compiler: the byte permutations q0 and q1, and the MDS
// matrix applied to the output of each byte lane's last permutation.
#pragma once

#include <array>
#include <cstdint>

namespace zk::twofish {

using ByteTable = std::array<uint8_t, 256>;
using WordTable = std::array<uint32_t, 256>;

// Product in GF(2^8) modulo the given polynomial (0x169 for the MDS matrix, 0x14D for the RS code).
constexpr uint8_t GfMul(uint8_t a, uint8_t b, unsigned polynomial) {
  unsigned x = a, product = 0;
  for (; b != 0; b >>= 1) {
    if (b & 1) product ^= x;
    x <<= 1;
    if (x & 0x100) x ^= polynomial;
  }
  return static_cast<uint8_t>(product);
}

namespace detail {

using Nibbles = std::array<uint8_t, 16>;

constexpr uint8_t Ror4(uint8_t x) { return static_cast<uint8_t>(((x >> 1) | (x << 3)) & 0x0F); }

// A q permutation: two Feistel-like mixing layers over the nibbles of x, each followed by two of the
// 4-bit permutations t0..t3.
constexpr ByteTable MakeQ(const std::array<Nibbles, 4>& t) {
  ByteTable q{};
  for (unsigned x = 0; x < 256; ++x) {
    uint8_t a = static_cast<uint8_t>(x >> 4), b = static_cast<uint8_t>(x & 0x0F);
    for (int layer = 0; layer < 2; ++layer) {
      const uint8_t mixedA = a ^ b;
      const uint8_t mixedB = static_cast<uint8_t>((a ^ Ror4(b) ^ (a << 3)) & 0x0F);
      a = t[2 * layer][mixedA];
      b = t[2 * layer + 1][mixedB];
    }
    q[x] = static_cast<uint8_t>(b << 4 | a);
  }
  return q;
}

inline constexpr std::array<Nibbles, 4> kQ0Nibbles = {{
    {0x8, 0x1, 0x7, 0xD, 0x6, 0xF, 0x3, 0x2, 0x0, 0xB, 0x5, 0x9, 0xE, 0xC, 0xA, 0x4},
    {0xE, 0xC, 0xB, 0x8, 0x1, 0x2, 0x3, 0x5, 0xF, 0x4, 0xA, 0x6, 0x7, 0x0, 0x9, 0xD},
    {0xB, 0xA, 0x5, 0xE, 0x6, 0xD, 0x9, 0x0, 0xC, 0x8, 0xF, 0x3, 0x2, 0x4, 0x7, 0x1},
    {0xD, 0x7, 0xF, 0x4, 0x1, 0x2, 0x6, 0xE, 0x9, 0xB, 0x3, 0x0, 0x8, 0x5, 0xC, 0xA},
}};

inline constexpr std::array<Nibbles, 4> kQ1Nibbles = {{
    {0x2, 0x8, 0xB, 0xD, 0xF, 0x7, 0x6, 0xE, 0x3, 0x1, 0x9, 0x4, 0x0, 0xA, 0xC, 0x5},
    {0x1, 0xE, 0x2, 0xB, 0x4, 0xC, 0x3, 0x7, 0x6, 0xD, 0xA, 0x5, 0xF, 0x9, 0x0, 0x8},
    {0x4, 0xC, 0x7, 0x5, 0x1, 0x6, 0x9, 0xA, 0x0, 0xE, 0xD, 0x8, 0x2, 0xB, 0x3, 0xF},
    {0xB, 0x9, 0x5, 0x1, 0xC, 0x3, 0xD, 0xE, 0x6, 0x4, 0x7, 0xF, 0x2, 0x0, 0x8, 0xA},
}};

}  // namespace detail

inline constexpr ByteTable kQ0 = detail::MakeQ(detail::kQ0Nibbles);
inline constexpr ByteTable kQ1 = detail::MakeQ(detail::kQ1Nibbles);

// The permutations a byte passes through in the function h, per lane (byte 0..3 of the word), from the
// first stage (used with 256-bit keys only) to the last, which kMds below already contains.
inline constexpr const ByteTable* kLanePermutations[4][5] = {
    {&kQ1, &kQ1, &kQ0, &kQ0, &kQ1},
    {&kQ0, &kQ1, &kQ1, &kQ0, &kQ0},
    {&kQ0, &kQ0, &kQ0, &kQ1, &kQ1},
    {&kQ1, &kQ0, &kQ1, &kQ1, &kQ0},
};

// The MDS matrix over GF(2^8) modulo 0x169; row r gives byte r of g's output.
inline constexpr uint8_t kMdsMatrix[4][4] = {
    {0x01, 0xEF, 0x5B, 0x5B},
    {0x5B, 0xEF, 0xEF, 0x01},
    {0xEF, 0x5B, 0x01, 0xEF},
    {0xEF, 0x01, 0xEF, 0x5B},
};
inline constexpr unsigned kMdsPolynomial = 0x169;

namespace detail {

constexpr std::array<WordTable, 4> MakeMds() {
  std::array<WordTable, 4> mds{};
  for (int lane = 0; lane < 4; ++lane) {
    for (unsigned x = 0; x < 256; ++x) {
      const uint8_t y = (*kLanePermutations[lane][4])[x];
      uint32_t word = 0;
      for (int row = 0; row < 4; ++row) {
        word |= uint32_t{GfMul(kMdsMatrix[row][lane], y, kMdsPolynomial)} << (8 * row);
      }
      mds[lane][x] = word;
    }
  }
  return mds;
}

}  // namespace detail

// kMds[lane][x]: the lane's last permutation of x, multiplied by the lane's column of the MDS matrix.
inline constexpr std::array<WordTable, 4> kMds = detail::MakeMds();

}  // namespace zk::twofish
