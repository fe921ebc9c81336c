// Our ciphers and hashes against Botan's on thousands of random cases from a fixed seed, on every
// instruction path alone (portable, AES-NI, VAES, SHA-NI, AVX2, AVX-512) and with all of them.
#include <gtest/gtest.h>

#include <botan/block_cipher.h>
#include <botan/hash.h>

#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "Hex.h"
#include "InstructionPaths.h"
#include "crypto/Gost.h"
#include "crypto/Rijndael.h"
#include "crypto/SHA1.h"
#include "crypto/SecHash.h"
#include "crypto/Twofish.h"

namespace zk {
namespace {

using Bytes = std::vector<uint8_t>;

struct CipherCase {
  const char* name;
  std::function<std::unique_ptr<TZK_blockcipher>()> make;
  // Botan's name for our key of `bits` bits, zero-padded to the returned length in bytes.
  std::function<std::pair<std::string, size_t>(int bits)> botanCipher;
};

std::pair<std::string, size_t> ByKeyClass(const std::string& prefix, bool numbered, int bits) {
  const int cls = bits <= 128 ? 128 : bits <= 192 ? 192 : 256;
  return {numbered ? prefix + "-" + std::to_string(cls) : prefix, static_cast<size_t>(cls / 8)};
}

const CipherCase kCiphers[] = {
    {"Twofish", [] { return std::make_unique<TZK_twofish>(); },
     [](int bits) { return ByKeyClass("Twofish", false, bits); }},
    {"Rijndael", [] { return std::make_unique<TZK_rijndael>(); },
     [](int bits) { return ByKeyClass("AES", true, bits); }},
    {"Gost", [] { return std::make_unique<TZK_gost>(); },
     [](int) { return std::pair<std::string, size_t>{"GOST-28147-89(R3411_94_TestParam)", 32}; }},
};

class Random {
 public:
  uint32_t Below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng_); }
  Bytes Data(size_t n) {
    Bytes b(n);
    for (auto& x : b) x = static_cast<uint8_t>(rng_());
    return b;
  }

 private:
  std::mt19937 rng_{0x5A4B};
};

// CBC with the tail rule, on Botan's block function.
Bytes ReferenceCbc(const Botan::BlockCipher& bc, Bytes chain, const Bytes& in, bool encrypt) {
  const size_t B = bc.block_size();
  Bytes out(in.size());
  size_t at = 0;
  for (; at + B <= in.size(); at += B) {
    Bytes block(in.begin() + at, in.begin() + at + B);
    if (encrypt) {
      for (size_t i = 0; i < B; ++i) block[i] ^= chain[i];
      bc.encrypt(block.data());
      chain = block;
    } else {
      bc.decrypt(block.data());
      for (size_t i = 0; i < B; ++i) block[i] ^= chain[i];
      chain.assign(in.begin() + at, in.begin() + at + B);
    }
    std::copy(block.begin(), block.end(), out.begin() + at);
  }
  bc.encrypt(chain.data());
  for (size_t i = at; i < in.size(); ++i) out[i] = in[i] ^ chain[i - at];
  return out;
}

Bytes ReferenceCfb8(const Botan::BlockCipher& bc, Bytes chain, const Bytes& in, bool encrypt) {
  Bytes out(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    Bytes k = chain;
    bc.encrypt(k.data());
    out[i] = in[i] ^ k[0];
    chain.erase(chain.begin());
    chain.push_back(encrypt ? out[i] : in[i]);
  }
  return out;
}

// Runs our CBC over `data` in random pieces: whole blocks in every call but the last.
void ChunkedCbc(TZK_blockcipher& c, Bytes& data, Random& rnd, bool encrypt) {
  const size_t B = static_cast<size_t>(c.BlockSize() / 8);
  size_t at = 0;
  while (true) {
    const size_t left = data.size() - at;
    size_t n = rnd.Below(4) == 0 ? left : std::min(left, B * rnd.Below(40));
    if (n == left || n == 0) n = left;
    auto size = static_cast<int32_t>(n);
    if (encrypt)
      c.EncryptCBC(data.data() + at, data.data() + at, size);
    else
      c.DecryptCBC(data.data() + at, data.data() + at, size);
    at += n;
    if (at == data.size()) return;
  }
}

using BotanDifferential = test::OnInstructionPath;

TEST_P(BotanDifferential, Ciphers) {
  Random rnd;
  for (const auto& cc : kCiphers) {
    SCOPED_TRACE(cc.name);
    auto ours = cc.make();
    const size_t B = static_cast<size_t>(ours->BlockSize() / 8);
    for (int round = 0; round < 1500; ++round) {
      const int bits = 8 * static_cast<int>(1 + rnd.Below(32));
      const Bytes key = rnd.Data(static_cast<size_t>(bits / 8));
      const auto [botanName, botanKeyBytes] = cc.botanCipher(bits);
      auto bc = Botan::BlockCipher::create_or_throw(botanName);
      Bytes padded = key;
      padded.resize(botanKeyBytes, 0);
      bc->set_key(padded);

      const bool givenIv = rnd.Below(2) == 0;
      Bytes iv = givenIv ? rnd.Data(B) : Bytes(B, 0xFF);
      if (!givenIv) bc->encrypt(iv.data());
      ours->Init(key.data(), bits, givenIv ? iv.data() : nullptr);
      SCOPED_TRACE("key " + test::ToHex(key) + (givenIv ? " iv " + test::ToHex(iv) : " no iv"));

      const Bytes blocks = rnd.Data(B * (1 + rnd.Below(4)));
      Bytes ecb = blocks, expected = blocks;
      for (size_t at = 0; at < blocks.size(); at += B) {
        ours->EncryptBlock(ecb.data() + at, ecb.data() + at);
        bc->encrypt(expected.data() + at);
      }
      ASSERT_EQ(test::ToHex(ecb), test::ToHex(expected)) << "ECB encrypt";
      for (size_t at = 0; at < blocks.size(); at += B) ours->DecryptBlock(ecb.data() + at, ecb.data() + at);
      ASSERT_EQ(ecb, blocks) << "ECB decrypt";

      const size_t length = rnd.Below(8) == 0 ? rnd.Below(20000) : rnd.Below(300);
      const Bytes plain = rnd.Data(length);
      const Bytes cipherText = ReferenceCbc(*bc, iv, plain, true);
      Bytes data = plain;
      ChunkedCbc(*ours, data, rnd, true);
      ASSERT_EQ(test::ToHex(data), test::ToHex(cipherText)) << "CBC encrypt, " << length << " bytes";
      ours->Reset();
      ChunkedCbc(*ours, data, rnd, false);
      ASSERT_EQ(data, plain) << "CBC decrypt, " << length << " bytes";

      const Bytes text = rnd.Data(rnd.Below(40));
      ours->Reset();
      Bytes cfb = text;
      ours->EncryptCFB8(cfb.data(), cfb.data(), static_cast<int32_t>(cfb.size()));
      ASSERT_EQ(cfb, ReferenceCfb8(*bc, iv, text, true)) << "CFB8 encrypt";
      ours->Reset();
      ours->DecryptCFB8(cfb.data(), cfb.data(), static_cast<int32_t>(cfb.size()));
      ASSERT_EQ(cfb, text) << "CFB8 decrypt";
    }
  }
}

TEST_P(BotanDifferential, Sha1BothInterfaces) {
  if (GetParam().features != 0 && !(GetParam().features & cpu::kShaNi)) {
    GTEST_SKIP() << "no SHA-1 code on this path";
  }
  Random rnd;
  auto botan = Botan::HashFunction::create_or_throw("SHA-1");
  TZK_sha1 sha;
  TSecHash secHash;
  for (int round = 0; round < 1500; ++round) {
    const size_t length = rnd.Below(8) == 0 ? rnd.Below(100000) : rnd.Below(300);
    const Bytes message = rnd.Data(length);
    const auto expected = botan->process(message);

    uint8_t digest[20];
    sha.Init();
    for (size_t at = 0; at < length;) {
      const size_t n = std::min<size_t>(length - at, rnd.Below(200));
      sha.Update(message.data() + at, static_cast<uint32_t>(n));
      at += n;
    }
    sha.Final(digest);
    ASSERT_EQ(test::ToHex(digest, 20), test::ToHex(expected.data(), expected.size())) << length << " bytes";

    const auto words = secHash.HashBuffer(message.data(), static_cast<int64_t>(length));
    for (int i = 0; i < 5; ++i) {
      const uint32_t want = uint32_t{expected[4 * i]} << 24 | uint32_t{expected[4 * i + 1]} << 16 |
                            uint32_t{expected[4 * i + 2]} << 8 | expected[4 * i + 3];
      ASSERT_EQ(words[i], want) << "TSecHash, " << length << " bytes, word " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, BotanDifferential,
                         ::testing::Values(test::kPortable, test::kAesNiPath, test::kVaesPath, test::kShaNiPath,
                                           test::kAvx2Path, test::kAvx512Path, test::kEveryPath),
                         test::PathName);

}  // namespace
}  // namespace zk
