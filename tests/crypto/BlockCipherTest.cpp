// The rules every cipher shares: keying, the IV, CBC with the tail rule, CFB8, Reset, Wipe and the errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "crypto/Gost.h"
#include "crypto/Rijndael.h"
#include "crypto/SHA1.h"
#include "crypto/Twofish.h"

namespace zk {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes RandomBytes(std::mt19937& rng, size_t n) {
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(rng());
  return b;
}

template <class Cipher>
class BlockCipherTest : public ::testing::Test {
 protected:
  static constexpr size_t B = Cipher::kBlockBytes;

  void SetUp() override {
    key_ = RandomBytes(rng_, 32);
    iv_ = RandomBytes(rng_, B);
  }

  Bytes Encrypt(Bytes data) {
    cipher_.EncryptCBC(data.data(), data.data(), static_cast<int32_t>(data.size()));
    return data;
  }

  Bytes EncryptBlockOf(Bytes block) {
    cipher_.EncryptBlock(block.data(), block.data());
    return block;
  }

  std::mt19937 rng_{20261210};
  Cipher cipher_;
  Bytes key_, iv_;
};

using Ciphers = ::testing::Types<TZK_twofish, TZK_rijndael, TZK_gost>;
TYPED_TEST_SUITE(BlockCipherTest, Ciphers);

TYPED_TEST(BlockCipherTest, Properties) {
  const std::string names[] = {"Twofish", "Rijndael", "Gost"};
  EXPECT_NE(std::find(std::begin(names), std::end(names), this->cipher_.Algorithm()), std::end(names));
  EXPECT_EQ(this->cipher_.BlockSize(), static_cast<int>(this->B * 8));
  EXPECT_EQ(this->cipher_.MaxKeySize(), 256);
  EXPECT_FALSE(this->cipher_.Initialized());
}

TYPED_TEST(BlockCipherTest, KeySizesRefusedWithTheirNumber) {
  for (int32_t bits : {0, -8, 100, 264, 7, 257}) {
    this->cipher_.Init(this->key_.data(), 128, nullptr);
    try {
      this->cipher_.Init(this->key_.data(), bits, nullptr);
      FAIL() << bits << " accepted";
    } catch (const EZK_blockcipher& e) {
      EXPECT_EQ(e.what(), this->cipher_.Algorithm() + ": Invalid key size - " + std::to_string(bits));
    }
    EXPECT_FALSE(this->cipher_.Initialized()) << "a refused key must leave the object wiped";
  }
}

TYPED_TEST(BlockCipherTest, KeyIsZeroPaddedToThirtyTwoBytes) {
  for (int32_t bits = 8; bits <= 256; bits += 8) {
    Bytes padded(32, 0);
    std::memcpy(padded.data(), this->key_.data(), bits / 8);
    TypeParam reference;
    const int32_t classBits = this->cipher_.Algorithm() == "Gost" ? 256 : (bits <= 128 ? 128 : bits <= 192 ? 192 : 256);
    reference.Init(padded.data(), classBits, nullptr);
    this->cipher_.Init(this->key_.data(), bits, nullptr);
    Bytes a(this->B, 0x5A), b(this->B, 0x5A);
    this->cipher_.EncryptBlock(a.data(), a.data());
    reference.EncryptBlock(b.data(), b.data());
    EXPECT_EQ(a, b) << bits << " bits";
  }
}

TYPED_TEST(BlockCipherTest, WithoutIvTheIvIsTheEncryptionOfAllOnes) {
  this->cipher_.Init(this->key_.data(), 256, nullptr);
  const Bytes iv = this->EncryptBlockOf(Bytes(this->B, 0xFF));
  // A zero block encrypted in CBC is the encryption of the IV itself.
  EXPECT_EQ(this->Encrypt(Bytes(this->B, 0)), this->EncryptBlockOf(iv));
}

TYPED_TEST(BlockCipherTest, GivenIvIsUsedAsItStands) {
  this->cipher_.Init(this->key_.data(), 256, this->iv_.data());
  const Bytes plain = RandomBytes(this->rng_, this->B);
  Bytes chained(this->B);
  for (size_t i = 0; i < this->B; ++i) chained[i] = plain[i] ^ this->iv_[i];
  EXPECT_EQ(this->Encrypt(plain), this->EncryptBlockOf(chained));
}

TYPED_TEST(BlockCipherTest, ResetReturnsToTheIv) {
  this->cipher_.Init(this->key_.data(), 192, nullptr);
  const Bytes plain = RandomBytes(this->rng_, 5 * this->B);
  const Bytes first = this->Encrypt(plain);
  EXPECT_NE(this->Encrypt(plain), first);
  this->cipher_.Reset();
  EXPECT_EQ(this->Encrypt(plain), first);
}

TYPED_TEST(BlockCipherTest, ShortTailIsXoredWithTheEncryptedChainAndKeepsTheChain) {
  this->cipher_.Init(this->key_.data(), 256, this->iv_.data());
  const Bytes keystream = this->EncryptBlockOf(this->iv_);
  const Bytes plain = {1, 2, 3, 4, 5};
  Bytes expected(5);
  for (size_t i = 0; i < 5; ++i) expected[i] = plain[i] ^ keystream[i];
  EXPECT_EQ(this->Encrypt(plain), expected);
  EXPECT_EQ(this->Encrypt(plain), expected) << "the tail must not move the chaining value";
  EXPECT_EQ(this->Encrypt({}), Bytes{});

  // Decryption runs the cipher forwards on the chaining value for the tail, too.
  Bytes back = expected;
  this->cipher_.DecryptCBC(back.data(), back.data(), 5);
  EXPECT_EQ(back, plain);
}

TYPED_TEST(BlockCipherTest, ChunkedCbcEqualsOneCallAndDecrypts) {
  const Bytes plain = RandomBytes(this->rng_, 8192 + 8192 + 100);
  this->cipher_.Init(this->key_.data(), 256, nullptr);
  const Bytes whole = this->Encrypt(plain);

  this->cipher_.Reset();
  Bytes pieces = plain;
  for (size_t at : {size_t{0}, size_t{8192}, size_t{16384}}) {
    const auto n = static_cast<int32_t>(std::min<size_t>(8192, plain.size() - at));
    this->cipher_.EncryptCBC(pieces.data() + at, pieces.data() + at, n);
  }
  EXPECT_EQ(pieces, whole);

  this->cipher_.Reset();
  Bytes out(plain.size());
  this->cipher_.DecryptCBC(whole.data(), out.data(), static_cast<int32_t>(whole.size()));
  EXPECT_EQ(out, plain);
}

TYPED_TEST(BlockCipherTest, Cfb8RoundTripsInPlace) {
  this->cipher_.Init(this->key_.data(), 160, nullptr);
  const Bytes iv = this->EncryptBlockOf(Bytes(this->B, 0xFF));
  const Bytes keystream = this->EncryptBlockOf(iv);
  for (size_t n : {size_t{0}, size_t{1}, size_t{7}, size_t{33}}) {
    const Bytes plain = RandomBytes(this->rng_, n);
    Bytes data = plain;
    this->cipher_.Reset();
    this->cipher_.EncryptCFB8(data.data(), data.data(), static_cast<int32_t>(n));
    ASSERT_EQ(data.size(), n);
    if (n > 0) {
      EXPECT_EQ(data[0], plain[0] ^ keystream[0]);
    }
    this->cipher_.Reset();
    this->cipher_.DecryptCFB8(data.data(), data.data(), static_cast<int32_t>(n));
    EXPECT_EQ(data, plain);
  }
}

TYPED_TEST(BlockCipherTest, InitFromStringKeysWithTheSha1Digest) {
  const std::string password = "パスワード";
  uint8_t digest[20];
  TZK_sha1 sha;
  sha.Init();
  sha.UpdateString(password);
  sha.Final(digest);
  TypeParam reference;
  reference.Init(digest, 160, nullptr);
  this->cipher_.InitFromString(password);
  Bytes a(this->B, 1), b(this->B, 1);
  this->cipher_.EncryptCBC(a.data(), a.data(), static_cast<int32_t>(this->B));
  reference.EncryptCBC(b.data(), b.data(), static_cast<int32_t>(this->B));
  EXPECT_EQ(a, b);
}

TYPED_TEST(BlockCipherTest, EveryOperationNeedsAKey) {
  auto& c = this->cipher_;
  const std::string expected = c.Algorithm() + ": Not initialized";
  auto check = [&](const char* what) {
    Bytes in(32, 0x11), out(32, 0x22);
    const std::vector<std::function<void()>> calls = {
        [&] { c.EncryptBlock(in.data(), out.data()); }, [&] { c.DecryptBlock(in.data(), out.data()); },
        [&] { c.EncryptCBC(in.data(), out.data(), 32); }, [&] { c.DecryptCBC(in.data(), out.data(), 32); },
        [&] { c.EncryptCFB8(in.data(), out.data(), 32); }, [&] { c.DecryptCFB8(in.data(), out.data(), 32); },
    };
    for (const auto& call : calls) {
      try {
        call();
        ADD_FAILURE() << what << ": no error";
      } catch (const EZK_blockcipher& e) {
        EXPECT_EQ(e.what(), expected) << what;
      }
      EXPECT_EQ(out, Bytes(32, 0x22)) << what << ": nothing may be written";
    }
  };
  check("before Init");
  c.Reset();  // needs no key
  c.Init(this->key_.data(), 256, nullptr);
  c.Wipe();
  EXPECT_FALSE(c.Initialized());
  check("after Wipe");
}

}  // namespace
}  // namespace zk
