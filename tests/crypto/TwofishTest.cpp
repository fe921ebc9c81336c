#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Hex.h"
#include "InstructionPaths.h"
#include "crypto/Twofish.h"

namespace zk {
namespace {

using Block = std::array<uint8_t, 16>;

std::vector<uint8_t> RandomBytes(std::mt19937& rng, size_t n) {
  std::vector<uint8_t> bytes(n);
  for (auto& b : bytes) b = static_cast<uint8_t>(rng());
  return bytes;
}

// The key must hold at least Size / 8 bytes.
void Key(TZK_twofish& cipher, const std::vector<uint8_t>& key, int32_t bits) {
  ASSERT_GE(key.size() * 8, static_cast<size_t>(bits));
  cipher.Init(key.data(), bits, nullptr);
}

Block Encrypt(TZK_twofish& cipher, const Block& plain) {
  Block out;
  cipher.EncryptBlock(plain.data(), out.data());
  return out;
}

Block Decrypt(TZK_twofish& cipher, const Block& encrypted) {
  Block out;
  cipher.DecryptBlock(encrypted.data(), out.data());
  return out;
}

Block ToBlock(const std::vector<uint8_t>& bytes) {
  Block block{};
  std::memcpy(block.data(), bytes.data(), block.size());
  return block;
}

// The known-answer values of the Twofish paper, one for each key length.
struct KnownAnswer {
  const char* key;
  const char* cipherText;  // of the all-zero block
};
const KnownAnswer kPublished[] = {
    {"00000000000000000000000000000000", "9f589f5cf6122c32b6bfec2f2ae8c35a"},
    {"0123456789abcdeffedcba98765432100011223344556677", "cfd1d2e5a9be9cdf501f13b892bd2248"},
    {"0123456789abcdeffedcba987654321000112233445566778899aabbccddeeff", "37527be0052334b89f0cfccae87cfa20"},
};

TEST(Twofish, PublishedKnownAnswers) {
  for (const KnownAnswer& c : kPublished) {
    SCOPED_TRACE(c.key);
    const auto key = test::FromHex(c.key);
    TZK_twofish cipher;
    Key(cipher, key, static_cast<int32_t>(key.size() * 8));
    const Block encrypted = Encrypt(cipher, Block{});
    EXPECT_EQ(test::ToHex(encrypted.data(), encrypted.size()), c.cipherText);
    EXPECT_EQ(Decrypt(cipher, encrypted), Block{});
  }
}

// The paper's iterated table: from an all-zero key and block, each step encrypts the previous cipher text
// under a key made of the previous plain text followed by the front of the previous key.
TEST(Twofish, PublishedIteratedTable) {
  struct Case {
    int32_t bits;
    int step;
    const char* cipherText;
  };
  const Case cases[] = {
      {128, 1, "9f589f5cf6122c32b6bfec2f2ae8c35a"}, {128, 2, "d491db16e7b1c39e86cb086b789f5419"},
      {128, 3, "019f9809de1711858faac3a3ba20fbc3"}, {128, 49, "5d9d4eeffa9151575524f115815a12e0"},
      {192, 1, "efa71f788965bd4453f860178fc19101"}, {192, 2, "88b2b2706b105e36b446bb6d731a1e88"},
      {192, 3, "39da69d6ba4997d585b6dc073ca341b2"}, {192, 49, "e75449212beef9f4a390bd860a640941"},
      {256, 1, "57ff739d4dc92c1bd7fc01700cc8216f"}, {256, 2, "d43bb7556ea32e46f2a282b7d45b4e0d"},
      {256, 3, "90afe91bb288544f2c32dc239b2635e6"}, {256, 49, "37fe26ff1cf66175f5ddf4c33b97a205"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << "-bit key, step " << c.step);
    std::vector<uint8_t> key(32, 0);
    Block plain{}, encrypted{};
    TZK_twofish cipher;
    for (int step = 1; step <= c.step; ++step) {
      Key(cipher, key, c.bits);
      encrypted = Encrypt(cipher, plain);
      ASSERT_EQ(Decrypt(cipher, encrypted), plain);
      key.insert(key.begin(), plain.begin(), plain.end());
      key.resize(32);
      plain = encrypted;
    }
    EXPECT_EQ(test::ToHex(encrypted.data(), encrypted.size()), c.cipherText);
  }
}

// A key shorter than a length class runs as the class's key with zero bytes appended; the class bounds
// themselves start no new class.
TEST(Twofish, ShortKeysArePaddedToTheirClass) {
  struct Case {
    int32_t bits;
    int32_t classBits;
  };
  const Case cases[] = {{8, 128}, {80, 128}, {136, 192}, {184, 192}, {200, 256}, {248, 256}};
  std::mt19937 rng(2024);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits");
    std::vector<uint8_t> key = RandomBytes(rng, 32);
    std::fill(key.begin() + c.bits / 8, key.end(), 0);
    const Block plain = ToBlock(RandomBytes(rng, 16));
    TZK_twofish shortKey, padded;
    Key(shortKey, key, c.bits);
    Key(padded, key, c.classBits);
    EXPECT_EQ(Encrypt(shortKey, plain), Encrypt(padded, plain));
  }
}

TEST(Twofish, FullClassKeyDiffersFromNextClassWithZeros) {
  std::mt19937 rng(7);
  std::vector<uint8_t> key = RandomBytes(rng, 32);
  for (const int32_t bits : {128, 192}) {
    SCOPED_TRACE(testing::Message() << bits << " bits");
    std::fill(key.begin() + bits / 8, key.end(), 0);
    TZK_twofish exact, larger;
    Key(exact, key, bits);
    Key(larger, key, bits + 64);
    EXPECT_NE(Encrypt(exact, Block{}), Encrypt(larger, Block{}));
  }
}

TEST(Twofish, DecryptionInvertsEncryptionForEveryKeySize) {
  std::mt19937 rng(99);
  for (int32_t bits = 8; bits <= 256; bits += 8) {
    SCOPED_TRACE(testing::Message() << bits << " bits");
    TZK_twofish cipher;
    Key(cipher, RandomBytes(rng, 32), bits);
    for (int i = 0; i < 8; ++i) {
      const Block plain = ToBlock(RandomBytes(rng, 16));
      const Block encrypted = Encrypt(cipher, plain);
      EXPECT_NE(encrypted, plain);
      EXPECT_EQ(Decrypt(cipher, encrypted), plain);
    }
  }
}

// CBC runs its own register-held chain in encryption and decrypts several blocks side by side; both must
// agree with the single-block transform for every count of blocks around the interleave width.
TEST(Twofish, CbcAgreesWithTheBlockTransform) {
  std::mt19937 rng(5);
  const auto key = RandomBytes(rng, 32);
  const auto iv = RandomBytes(rng, 16);
  for (size_t blocks = 1; blocks <= 11; ++blocks) {
    SCOPED_TRACE(testing::Message() << blocks << " blocks");
    const auto plain = RandomBytes(rng, 16 * blocks);
    TZK_twofish cipher;
    cipher.Init(key.data(), 256, iv.data());

    std::vector<uint8_t> expected(plain.size());
    Block chain = ToBlock(iv);
    for (size_t i = 0; i < blocks; ++i) {
      for (size_t j = 0; j < 16; ++j) chain[j] ^= plain[16 * i + j];
      chain = Encrypt(cipher, chain);
      std::memcpy(expected.data() + 16 * i, chain.data(), 16);
    }

    // In two calls, so that the chain must carry over from the first to the second.
    const int32_t first = static_cast<int32_t>(16 * (blocks / 2));
    const int32_t rest = static_cast<int32_t>(plain.size()) - first;
    std::vector<uint8_t> buffer = plain;
    cipher.EncryptCBC(buffer.data(), buffer.data(), first);
    cipher.EncryptCBC(buffer.data() + first, buffer.data() + first, rest);
    EXPECT_EQ(buffer, expected);
    cipher.Reset();
    cipher.DecryptCBC(buffer.data(), buffer.data(), first);
    cipher.DecryptCBC(buffer.data() + first, buffer.data() + first, rest);
    EXPECT_EQ(buffer, plain);
  }
}

// CBC decryption takes 16 blocks at a time with AVX-512 and 8 with AVX2, the rest on the portable code.
using TwofishPath = test::OnInstructionPath;

INSTANTIATE_TEST_SUITE_P(, TwofishPath, testing::Values(test::kPortable, test::kAvx2Path, test::kAvx512Path),
                         test::PathName);

// The published cipher texts C of the zero block, repeated: with an all-zero IV the first block decrypts to
// zero and every later one to the C before it. 37 blocks in calls of 19 and 18: whole groups of 16 and 8,
// tails, and the chaining value carried from one call to the next.
TEST_P(TwofishPath, CbcDecryptsThePublishedCipherTexts) {
  constexpr size_t kBlocks = 37, kFirstCall = 19;
  for (const KnownAnswer& c : kPublished) {
    SCOPED_TRACE(c.key);
    const auto key = test::FromHex(c.key), cipherText = test::FromHex(c.cipherText);
    std::vector<uint8_t> buffer, expected(16, 0);
    for (size_t i = 0; i < kBlocks; ++i) buffer.insert(buffer.end(), cipherText.begin(), cipherText.end());
    expected.insert(expected.end(), buffer.begin(), buffer.end() - 16);
    const Block zeroIv{};
    TZK_twofish cipher;
    cipher.Init(key.data(), static_cast<int32_t>(key.size() * 8), zeroIv.data());
    cipher.DecryptCBC(buffer.data(), buffer.data(), 16 * kFirstCall);
    cipher.DecryptCBC(buffer.data() + 16 * kFirstCall, buffer.data() + 16 * kFirstCall,
                      static_cast<int32_t>(16 * (kBlocks - kFirstCall)));
    EXPECT_EQ(test::ToHex(buffer.data(), buffer.size()), test::ToHex(expected.data(), expected.size()));
  }
}

// Random keys of every size, IVs and lengths: 0 to 3 groups of 16 blocks with a tail of 0 to 15 blocks and
// 0 to 15 bytes, encrypted in one call, decrypted in calls of odd block counts, in place or not.
TEST_P(TwofishPath, CbcDecryptionRestoresEveryLength) {
  std::mt19937 rng(23);
  for (size_t groups = 0; groups < 4; ++groups) {
    for (size_t tailBlocks = 0; tailBlocks < 16; ++tailBlocks) {
      const int32_t bits = 8 * static_cast<int32_t>(1 + rng() % 32);
      const auto key = RandomBytes(rng, 32), iv = RandomBytes(rng, 16);
      const auto plain = RandomBytes(rng, 16 * (16 * groups + tailBlocks) + rng() % 16);
      const bool inPlace = rng() % 2 == 0;
      SCOPED_TRACE(testing::Message()
                   << bits << "-bit key, " << plain.size() << " bytes" << (inPlace ? ", in place" : ""));
      TZK_twofish cipher;
      cipher.Init(key.data(), bits, iv.data());
      std::vector<uint8_t> encrypted(plain.size());
      cipher.EncryptCBC(plain.data(), encrypted.data(), static_cast<int32_t>(plain.size()));

      cipher.Reset();
      std::vector<uint8_t> decrypted = inPlace ? encrypted : std::vector<uint8_t>(plain.size(), 0xEE);
      const uint8_t* from = inPlace ? decrypted.data() : encrypted.data();
      for (size_t at = 0; at < plain.size();) {
        const size_t n = std::min(plain.size() - at, 16 * (2 * (rng() % 12) + 1));
        cipher.DecryptCBC(from + at, decrypted.data() + at, static_cast<int32_t>(n));
        at += n;
      }
      ASSERT_EQ(decrypted, plain);
    }
  }
}

TEST(Twofish, WipeOverwritesTheWholeKeySchedule) {
  TTwofishCore core;
  uint8_t key[32];
  std::memset(key, 0x3C, sizeof key);
  core.SetKey(key, 256);
  core.Wipe();
  const auto* bytes = reinterpret_cast<const uint8_t*>(&core);
  EXPECT_EQ(std::count(bytes, bytes + sizeof core, 0xFF), static_cast<std::ptrdiff_t>(sizeof core));
}

}  // namespace
}  // namespace zk
