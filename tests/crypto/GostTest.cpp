#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <random>
#include <vector>

#include "Hex.h"
#include "crypto/Gost.h"
#include "crypto/GostTables.h"

namespace zk {
namespace {

using test::FromHex;
using test::ToHex;

std::vector<uint8_t> RandomBytes(std::mt19937& rng, size_t n) {
  std::vector<uint8_t> bytes(n);
  for (auto& b : bytes) b = static_cast<uint8_t>(rng());
  return bytes;
}

// The round function as the standard states it: eight 4-bit substitutions, then a rotation by 11.
uint32_t RoundFunctionByNibbles(uint32_t x) {
  uint32_t s = 0;
  for (int i = 0; i < 8; ++i) s |= uint32_t{kGostSbox[i][(x >> (4 * i)) & 15]} << (4 * i);
  return std::rotl(s, 11);
}

TEST(Gost, RoundTablesFoldSboxesAndRotation) {
  EXPECT_EQ(kGostRoundTables[0][0], 0x72000u);
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    const uint32_t x = i < 256 ? uint32_t(i) * 0x01010101u : rng();
    const auto& t = kGostRoundTables;
    const uint32_t folded = t[0][x & 0xFF] ^ t[1][(x >> 8) & 0xFF] ^ t[2][(x >> 16) & 0xFF] ^ t[3][x >> 24];
    ASSERT_EQ(folded, RoundFunctionByNibbles(x)) << std::hex << x;
  }
}

struct KnownAnswer {
  const char* key;
  const char* block;
  const char* encrypted;
  const char* decrypted;
};

TEST(Gost, KnownAnswers) {
  const KnownAnswer cases[] = {
      {"0000000000000000000000000000000000000000000000000000000000000000", "0000000000000000",
       "c9fdc2a6e20b6112", nullptr},
      {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f", "0001020304050607",
       "d48f98745d38b9d2", "2c1bdd4336d51459"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    TZK_gost gost;
    gost.Init(FromHex(c.key).data(), 256, nullptr);
    const auto block = FromHex(c.block);
    uint8_t out[8];
    gost.EncryptBlock(block.data(), out);
    EXPECT_EQ(ToHex(out, 8), c.encrypted);
    gost.DecryptBlock(FromHex(c.encrypted).data(), out);
    EXPECT_EQ(ToHex(out, 8), c.block);
    if (c.decrypted) {
      gost.DecryptBlock(block.data(), out);
      EXPECT_EQ(ToHex(out, 8), c.decrypted);
    }
  }
}

TEST(Gost, ShortKeyIsZeroPaddedToEightWords) {
  std::mt19937 rng(1);
  const auto key = RandomBytes(rng, 32);
  std::vector<uint8_t> padded(key.begin(), key.begin() + 20);
  padded.resize(32, 0);
  TZK_gost short160, full256, other256;
  short160.Init(key.data(), 160, nullptr);
  full256.Init(padded.data(), 256, nullptr);
  other256.Init(key.data(), 256, nullptr);
  const auto block = RandomBytes(rng, 8);
  uint8_t a[8], b[8], c[8];
  short160.EncryptBlock(block.data(), a);
  full256.EncryptBlock(block.data(), b);
  other256.EncryptBlock(block.data(), c);
  EXPECT_EQ(ToHex(a, 8), ToHex(b, 8));
  EXPECT_NE(ToHex(a, 8), ToHex(c, 8));  // K5..K7 take part when given
}

TEST(Gost, DecryptInvertsEncryptForEveryKeySize) {
  std::mt19937 rng(2);
  for (int bits = 8; bits <= 256; bits += 8) {
    SCOPED_TRACE(bits);
    const auto key = RandomBytes(rng, 32);
    TZK_gost gost;
    gost.Init(key.data(), bits, nullptr);
    const auto block = RandomBytes(rng, 8);
    uint8_t c[8], p[8];
    gost.EncryptBlock(block.data(), c);
    gost.DecryptBlock(c, p);
    EXPECT_EQ(ToHex(p, 8), ToHex(block));
  }
}

// Several blocks at once take the interleaved path; it must agree with one block at a time.
TEST(Gost, CbcOverManyBlocksMatchesSingleBlockChaining) {
  std::mt19937 rng(3);
  const auto key = RandomBytes(rng, 32);
  const auto iv = RandomBytes(rng, 8);
  for (size_t size : {0u, 5u, 8u, 13u, 24u, 32u, 40u, 64u, 72u, 1003u, 8192u}) {
    SCOPED_TRACE(size);
    const auto plain = RandomBytes(rng, size);
    TZK_gost gost;
    gost.Init(key.data(), 256, iv.data());

    std::vector<uint8_t> expected(size);
    uint8_t chain[8];
    std::memcpy(chain, iv.data(), 8);
    size_t at = 0;
    for (; at + 8 <= size; at += 8) {
      for (int i = 0; i < 8; ++i) chain[i] ^= plain[at + i];
      gost.EncryptBlock(chain, chain);
      std::memcpy(&expected[at], chain, 8);
    }
    uint8_t pad[8];
    gost.EncryptBlock(chain, pad);
    for (size_t i = at; i < size; ++i) expected[i] = plain[i] ^ pad[i - at];

    std::vector<uint8_t> data = plain;
    gost.EncryptCBC(data.data(), data.data(), static_cast<int32_t>(size));
    EXPECT_EQ(ToHex(data), ToHex(expected));
    gost.Reset();
    gost.DecryptCBC(data.data(), data.data(), static_cast<int32_t>(size));
    EXPECT_EQ(ToHex(data), ToHex(plain));
  }
}

TEST(Gost, ErrorTexts) {
  TZK_gost gost;
  uint8_t block[8] = {};
  try {
    gost.EncryptBlock(block, block);
    FAIL();
  } catch (const EZK_blockcipher& e) {
    EXPECT_STREQ(e.what(), "Gost: Not initialized");
  }
  uint8_t key[40] = {};
  try {
    gost.Init(key, 264, nullptr);
    FAIL();
  } catch (const EZK_blockcipher& e) {
    EXPECT_STREQ(e.what(), "Gost: Invalid key size - 264");
  }
}

}  // namespace
}  // namespace zk
