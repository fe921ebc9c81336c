#include <botan/hash.h>
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "Hex.h"
#include "crypto/CpuFeatures.h"
#include "crypto/SHA1.h"

namespace zk {
namespace {

std::string BotanSha1Hex(const std::string& message) {
  auto sha = Botan::HashFunction::create_or_throw("SHA-1");
  sha->update(message);
  const auto digest = sha->final();
  return test::ToHex(digest.data(), digest.size());
}

std::string RandomText(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string text(n, '\0');
  for (auto& c : text) c = static_cast<char>(rng());
  return text;
}

// Every case runs on the portable code and, where the CPU has them, on the SHA instructions.
class Sha1 : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam() && !cpu::HasShaNi()) GTEST_SKIP() << "no SHA instructions on this CPU";
    cpu::SetHardwareAllowed(GetParam());
    ASSERT_EQ(Sha1Compressor() != &Sha1CompressPortable, GetParam());
  }
  void TearDown() override { cpu::SetHardwareAllowed(true); }

  static std::string Sha1Hex(const std::string& message) {
    TZK_sha1 sha;
    uint8_t digest[TZK_sha1::kDigestBytes];
    sha.Init();
    sha.UpdateString(message);
    sha.Final(digest);
    return test::ToHex(digest, sizeof digest);
  }
};

TEST_P(Sha1, PublishedDigests) {
  struct Case {
    std::string message;
    const char* digest;
  };
  const Case cases[] = {
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
  };
  for (const auto& c : cases) EXPECT_EQ(Sha1Hex(c.message), c.digest) << c.message.size() << " bytes";
}

// Around the padding boundaries (55/56 bytes: the length no longer fits; 63/64/65: block edges), and
// long enough for many blocks in one call.
TEST_P(Sha1, MatchesBotan) {
  for (size_t size : {1u, 55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 127u, 128u, 129u, 1000u, 1u << 20}) {
    const std::string message = RandomText(size, static_cast<unsigned>(size));
    EXPECT_EQ(Sha1Hex(message), BotanSha1Hex(message)) << size << " bytes";
  }
}

TEST_P(Sha1, UpdateInPiecesEqualsOneUpdate) {
  const std::string message = RandomText(3000, 9);
  for (size_t piece : {1u, 3u, 7u, 55u, 63u, 64u, 65u, 129u, 1000u}) {
    TZK_sha1 sha;
    sha.Init();
    for (size_t at = 0; at < message.size(); at += piece) sha.UpdateString(message.substr(at, piece));
    uint8_t digest[TZK_sha1::kDigestBytes];
    sha.Final(digest);
    EXPECT_EQ(test::ToHex(digest, sizeof digest), Sha1Hex(message)) << "pieces of " << piece;
  }
}

TEST_P(Sha1, InitRestarts) {
  TZK_sha1 sha;
  sha.Init();
  sha.UpdateString(RandomText(100, 1));
  sha.Init();
  sha.UpdateString("abc");
  uint8_t digest[TZK_sha1::kDigestBytes];
  sha.Final(digest);
  EXPECT_EQ(test::ToHex(digest, sizeof digest), "a9993e364706816aba3e25717850c26c9cd0d89d");
}

TEST_P(Sha1, MisuseReportsNotInitialized) {
  uint8_t digest[TZK_sha1::kDigestBytes];
  const std::pair<const char*, std::function<void(TZK_sha1&)>> states[] = {
      {"never initialised", [](TZK_sha1&) {}},
      {"after Final", [&](TZK_sha1& s) { s.Init(), s.Final(digest); }},
      {"after Wipe", [](TZK_sha1& s) { s.Init(), s.Wipe(); }},
  };
  for (const auto& [state, prepare] : states) {
    for (const bool callFinal : {false, true}) {
      TZK_sha1 sha;
      prepare(sha);
      try {
        callFinal ? sha.Final(digest) : sha.Update("x", 1);
        ADD_FAILURE() << state << ": no error";
      } catch (const EZK_hash& e) {
        EXPECT_STREQ(e.what(), "SHA1: Not initialized") << state << (callFinal ? ", Final" : ", Update");
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, Sha1, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ShaInstructions" : "Portable"; });

}  // namespace
}  // namespace zk
