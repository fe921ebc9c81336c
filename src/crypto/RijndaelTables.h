// The constant tables of Rijndael, derived at compile time from the field GF(2^8) with the polynomial 0x11B.
//
// Words are little-endian: byte 0 of a column (row 0 of the state) is the low byte. The round tables fold
// SubBytes (or InvSubBytes) with one column of MixColumns (or InvMixColumns): table t holds the product
// for a byte that stands in row t.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace zk {

using RijndaelByteTable = std::array<uint8_t, 256>;
using RijndaelWordTables = std::array<std::array<uint32_t, 256>, 4>;

namespace rijndael_detail {

constexpr uint8_t Xtime(uint8_t a) { return static_cast<uint8_t>(a << 1 ^ (a & 0x80 ? 0x1B : 0)); }

constexpr uint8_t Multiply(uint8_t a, uint8_t b) {
  uint8_t product = 0;
  for (; b != 0; b >>= 1, a = Xtime(a)) {
    if (b & 1) product ^= a;
  }
  return product;
}

// a^254 is the multiplicative inverse of a, and 0 for 0.
constexpr uint8_t Inverse(uint8_t a) {
  uint8_t result = 1;
  for (int bit = 7; bit >= 0; --bit) {
    result = Multiply(result, result);
    if (254 >> bit & 1) result = Multiply(result, a);
  }
  return result;
}

constexpr RijndaelByteTable MakeSbox() {
  RijndaelByteTable box{};
  for (int x = 0; x < 256; ++x) {
    const uint8_t b = Inverse(static_cast<uint8_t>(x));
    box[x] = b ^ std::rotl(b, 1) ^ std::rotl(b, 2) ^ std::rotl(b, 3) ^ std::rotl(b, 4) ^ 0x63;
  }
  return box;
}

constexpr RijndaelByteTable Invert(const RijndaelByteTable& box) {
  RijndaelByteTable inverse{};
  for (int x = 0; x < 256; ++x) inverse[box[x]] = static_cast<uint8_t>(x);
  return inverse;
}

// Table 0 maps x to the column (c0·s(x), c1·s(x), c2·s(x), c3·s(x)); table t is table 0 rotated by t bytes.
constexpr RijndaelWordTables MakeWordTables(const RijndaelByteTable& substitute,
                                            std::array<uint8_t, 4> column) {
  RijndaelWordTables tables{};
  for (int x = 0; x < 256; ++x) {
    uint32_t word = 0;
    for (int row = 0; row < 4; ++row) word |= uint32_t{Multiply(column[row], substitute[x])} << 8 * row;
    for (int t = 0; t < 4; ++t) tables[t][x] = std::rotl(word, 8 * t);
  }
  return tables;
}

constexpr RijndaelByteTable MakeIdentity() {
  RijndaelByteTable identity{};
  for (int x = 0; x < 256; ++x) identity[x] = static_cast<uint8_t>(x);
  return identity;
}

constexpr std::array<uint8_t, 10> MakeRoundConstants() {
  std::array<uint8_t, 10> rc{};
  rc[0] = 1;
  for (size_t i = 1; i < rc.size(); ++i) rc[i] = Xtime(rc[i - 1]);
  return rc;
}

}  // namespace rijndael_detail

alignas(64) inline constexpr RijndaelByteTable kRijndaelSbox = rijndael_detail::MakeSbox();
alignas(64) inline constexpr RijndaelByteTable kRijndaelInverseSbox = rijndael_detail::Invert(kRijndaelSbox);

// SubBytes + MixColumns, and InvSubBytes + InvMixColumns.
alignas(64) inline constexpr RijndaelWordTables kRijndaelEncryptTables =
    rijndael_detail::MakeWordTables(kRijndaelSbox, {2, 1, 1, 3});
alignas(64) inline constexpr RijndaelWordTables kRijndaelDecryptTables =
    rijndael_detail::MakeWordTables(kRijndaelInverseSbox, {0x0E, 0x09, 0x0D, 0x0B});

// InvMixColumns alone, for turning encryption round keys into those of the equivalent inverse cipher.
alignas(64) inline constexpr RijndaelWordTables kRijndaelInvMixColumnsTables =
    rijndael_detail::MakeWordTables(rijndael_detail::MakeIdentity(), {0x0E, 0x09, 0x0D, 0x0B});

inline constexpr std::array<uint8_t, 10> kRijndaelRoundConstants = rijndael_detail::MakeRoundConstants();

static_assert(kRijndaelSbox[0] == 0x63 && kRijndaelSbox[1] == 0x7C && kRijndaelInverseSbox[0] == 0x52);
static_assert(kRijndaelEncryptTables[0][0] == 0xa56363c6 && kRijndaelDecryptTables[0][0] == 0x50a7f451);
static_assert(kRijndaelInvMixColumnsTables[0][1] == 0x0b0d090e && kRijndaelRoundConstants[9] == 0x36);

}  // namespace zk
