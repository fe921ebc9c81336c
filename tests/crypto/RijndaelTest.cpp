#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Hex.h"
#include "InstructionPaths.h"
#include "crypto/Rijndael.h"
#include "crypto/RijndaelTables.h"

namespace zk {
namespace {

using Bytes = std::vector<uint8_t>;
using test::FromHex;
using test::ToHex;

TEST(RijndaelTables, BeginWithThePublishedValues) {
  EXPECT_EQ(ToHex(kRijndaelSbox.data(), 4), "637c777b");
  EXPECT_EQ(ToHex(kRijndaelInverseSbox.data(), 4), "52096ad5");
  EXPECT_EQ(kRijndaelEncryptTables[0][0], 0xa56363c6u);
  EXPECT_EQ(kRijndaelDecryptTables[0][0], 0x50a7f451u);
  EXPECT_EQ(kRijndaelInvMixColumnsTables[0][0], 0u);
  EXPECT_EQ(kRijndaelInvMixColumnsTables[0][1], 0x0b0d090eu);
  EXPECT_EQ(ToHex(kRijndaelRoundConstants.data(), kRijndaelRoundConstants.size()), "01020408102040801b36");
}

TEST(RijndaelTables, SboxesAreInversePermutationsAndRowTablesAreRotations) {
  for (int x = 0; x < 256; ++x) {
    ASSERT_EQ(kRijndaelInverseSbox[kRijndaelSbox[x]], x);
    for (int t = 1; t < 4; ++t) {
      ASSERT_EQ(kRijndaelEncryptTables[t][x], std::rotl(kRijndaelEncryptTables[0][x], 8 * t));
      ASSERT_EQ(kRijndaelDecryptTables[t][x], std::rotl(kRijndaelDecryptTables[0][x], 8 * t));
    }
  }
}

// Every test below runs on the portable code, on the AES instructions and on VAES (CBC decryption). The
// path is chosen when a cipher is keyed, so the switch is set before each Init.
using RijndaelPath = test::OnInstructionPath;

constexpr test::InstructionPath kRijndaelPaths[] = {test::kPortable, test::kAesNiPath, test::kVaesPath};

INSTANTIATE_TEST_SUITE_P(, RijndaelPath, testing::ValuesIn(kRijndaelPaths), test::PathName);

struct KnownAnswer {
  const char* key;
  const char* plain;
  const char* cipher;
};

// FIPS-197 Appendix C.
const KnownAnswer kFips197[] = {
    {"000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
     "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"000102030405060708090a0b0c0d0e0f1011121314151617", "00112233445566778899aabbccddeeff",
     "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f", "00112233445566778899aabbccddeeff",
     "8ea2b7ca516745bfeafc49904b496089"},
};

TEST_P(RijndaelPath, Fips197Vectors) {
  for (const KnownAnswer& v : kFips197) {
    SCOPED_TRACE(v.key);
    const Bytes key = FromHex(v.key), plain = FromHex(v.plain);
    TZK_rijndael aes;
    aes.Init(key.data(), static_cast<int32_t>(key.size() * 8), nullptr);
    uint8_t block[16];
    aes.EncryptBlock(plain.data(), block);
    EXPECT_EQ(ToHex(block, 16), v.cipher);
    aes.DecryptBlock(block, block);
    EXPECT_EQ(ToHex(block, 16), v.plain);
  }
}

// NIST SP 800-38A F.2.5, CBC-AES256: multi-block chaining in both directions.
TEST_P(RijndaelPath, Sp800_38aCbcVector) {
  const Bytes key = FromHex("603deb1015ca71be2b73aef0857d7781 1f352c073b6108d72d9810a30914dff4");
  const Bytes iv = FromHex("000102030405060708090a0b0c0d0e0f");
  const Bytes plain = FromHex(
      "6bc1bee22e409f96e93d7e117393172a ae2d8a571e03ac9c9eb76fac45af8e51"
      "30c81c46a35ce411e5fbc1191a0a52ef f69f2445df4f9b17ad2b417be66c3710");
  const std::string cipher =
      "f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"
      "39f23369a9d9bacfa530e26304231461b2eb05e2c39be9fcda6c19078c6a9d1b";
  TZK_rijndael aes;
  aes.Init(key.data(), 256, iv.data());
  Bytes buffer = plain;
  aes.EncryptCBC(buffer.data(), buffer.data(), 64);
  EXPECT_EQ(ToHex(buffer), cipher);
  aes.Reset();
  aes.DecryptCBC(buffer.data(), buffer.data(), 64);
  EXPECT_EQ(buffer, plain);
}

Bytes EncryptOneBlock(const uint8_t* key, int32_t bits, const Bytes& plain) {
  TZK_rijndael aes;
  aes.Init(key, bits, nullptr);
  Bytes out(16);
  aes.EncryptBlock(plain.data(), out.data());
  return out;
}

// A key between two classes is zero-padded to the larger one: 136 bits is AES-192, 200 bits AES-256.
TEST_P(RijndaelPath, KeysArePaddedToTheirClass) {
  const Bytes plain = FromHex("00112233445566778899aabbccddeeff");
  uint8_t key[32];
  for (int i = 0; i < 32; ++i) key[i] = static_cast<uint8_t>(0xA0 + i);
  const struct { int32_t bits, classBits; } cases[] = {{8, 128}, {80, 128}, {136, 192}, {200, 256}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bits);
    uint8_t padded[32] = {};
    std::memcpy(padded, key, static_cast<size_t>(c.bits / 8));
    EXPECT_EQ(EncryptOneBlock(key, c.bits, plain), EncryptOneBlock(padded, c.classBits, plain));
  }
  // The byte past a class boundary counts: 136 bits is not AES-128 of the first 16 bytes.
  EXPECT_NE(EncryptOneBlock(key, 136, plain), EncryptOneBlock(key, 128, plain));
  EXPECT_NE(EncryptOneBlock(key, 200, plain), EncryptOneBlock(key, 192, plain));
}

Bytes EncryptCbcWithIv(const void* iv, const Bytes& plain) {
  const Bytes key = FromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
  TZK_rijndael aes;
  aes.Init(key.data(), 256, iv);
  Bytes out(plain.size());
  aes.EncryptCBC(plain.data(), out.data(), static_cast<int32_t>(plain.size()));
  return out;
}

TEST_P(RijndaelPath, ZeroIvMarkerSelectsTheAllZeroIv) {
  const Bytes plain(37, 0x5A);  // two blocks and a tail
  const uint8_t zeros[16] = {};
  EXPECT_EQ(EncryptCbcWithIv("#INIT_IV_TO_NIL#", plain), EncryptCbcWithIv(zeros, plain));

  // Any other 16 bytes, however close to the marker, are the IV itself: the first block is E(P1 ^ IV).
  const char* almostMarker = "#INIT_IV_TO_NIL!";
  const Bytes key = FromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
  TZK_rijndael aes;
  aes.Init(key.data(), 256, nullptr);
  uint8_t firstBlock[16];
  for (int i = 0; i < 16; ++i) firstBlock[i] = plain[i] ^ static_cast<uint8_t>(almostMarker[i]);
  aes.EncryptBlock(firstBlock, firstBlock);
  EXPECT_EQ(ToHex(EncryptCbcWithIv(almostMarker, plain).data(), 16), ToHex(firstBlock, 16));
}

TEST_P(RijndaelPath, EveryKeySizeDecryptsWhatItEncrypts) {
  std::mt19937 random(7);
  uint8_t key[32], iv[16];
  Bytes plain(16 * 20 + 9);
  for (auto& b : key) b = static_cast<uint8_t>(random());
  for (auto& b : iv) b = static_cast<uint8_t>(random());
  for (auto& b : plain) b = static_cast<uint8_t>(random());
  for (int32_t bits = 8; bits <= 256; bits += 8) {
    SCOPED_TRACE(bits);
    TZK_rijndael aes;
    aes.Init(key, bits, iv);
    Bytes buffer = plain;
    aes.EncryptCBC(buffer.data(), buffer.data(), static_cast<int32_t>(buffer.size()));
    EXPECT_NE(buffer, plain);
    aes.Reset();
    aes.DecryptCBC(buffer.data(), buffer.data(), static_cast<int32_t>(buffer.size()));
    EXPECT_EQ(buffer, plain);
  }
}

// The paths must give the same bytes for any run lengths, whole blocks or not, in place or not: the AES-NI
// code has its own CBC loops (eight blocks at a time when decrypting), VAES 32 and 4 blocks at a time, and
// the portable code checks them.
TEST(Rijndael, EveryPathGivesTheSameCbcBytes) {
  std::mt19937 random(2024);
  auto randomBytes = [&random](size_t n) {
    Bytes bytes(n);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
  };
  for (int trial = 0; trial < 60; ++trial) {
    const int32_t bits = std::array{128, 192, 256, 8 * static_cast<int32_t>(1 + random() % 32)}[trial % 4];
    const Bytes key = randomBytes(32), iv = randomBytes(16);
    const Bytes plain = randomBytes(random() % 2000);
    const bool inPlace = trial % 2 == 0;
    SCOPED_TRACE(testing::Message() << "bits " << bits << ", " << plain.size() << " bytes"
                                    << (inPlace ? ", in place" : ""));

    // Each side feeds the stream in its own random whole-block pieces, then the rest in one call.
    auto run = [&](const test::InstructionPath& path, bool decrypt, const Bytes& input) {
      cpu::SetAllowedFeatures(path.features);
      TZK_rijndael aes;
      aes.Init(key.data(), bits, iv.data());
      cpu::SetAllowedFeatures(cpu::kAllFeatures);
      Bytes output = inPlace ? input : Bytes(input.size(), 0xEE);
      const uint8_t* from = inPlace ? output.data() : input.data();
      size_t done = 0;
      while (true) {
        const size_t piece = 16 * (random() % 40);
        const bool last = done + piece >= input.size();
        const size_t n = last ? input.size() - done : piece;
        decrypt ? aes.DecryptCBC(from + done, output.data() + done, static_cast<int32_t>(n))
                : aes.EncryptCBC(from + done, output.data() + done, static_cast<int32_t>(n));
        done += n;
        if (last) break;
      }
      return output;
    };
    const Bytes portable = run(test::kPortable, false, plain);
    for (const test::InstructionPath& path : kRijndaelPaths) {
      if (!test::Available(path)) continue;
      SCOPED_TRACE(path.name);
      ASSERT_EQ(run(path, false, plain), portable);
      ASSERT_EQ(run(path, true, portable), plain);
    }
  }
}

}  // namespace
}  // namespace zk
