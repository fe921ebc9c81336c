#include <botan/base64.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "crypto/Base64.h"

namespace zk {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string RandomBytes(std::mt19937& rng, size_t n) {
  std::string bytes(n, '\0');
  for (auto& c : bytes) c = static_cast<char>(rng());
  return bytes;
}

TEST(Base64, Encode) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"a", "YQ=="},  // no earlier group: the pad bits are zero
      {"ab", "YWI="},
      {"abc", "YWJj"},
      {"abcd", "YWJjZG=="},         // the usual encoder: YWJjZA==
      {"abcdefg", "YWJjZGVmZ2=="},  // the usual encoder: YWJjZGVmZw==
      {"abcde", "YWJjZGV="},        // high bits of 'c' in the pad bits; the usual encoder: YWJjZGU=
      {std::string("\xFB\xFF\xBF", 3), "+/+/"},
  };
  for (const auto& [data, text] : cases) EXPECT_EQ(Base64Encode(data), text) << data;
}

TEST(Base64, Decode) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"YWJjZG==", "abcd"},
      {"YWJjZA==", "abcd"},
      {"YWJjZGVmZ2==", "abcdefg"},
      {"YWJjZGV=", "abcde"},
      {"YWJj", "abc"},
      {"YQ==", "a"},
      {"+/+/", "\xFB\xFF\xBF"},
      // Lenient: any other character counts as 63, like the slash; '=' only matters in the last quartet.
      {"!!!!", "\xFF\xFF\xFF"},
      {"YW==YWJj",
       "ao\xFF"
       "abc"},
      {"YWJ=", "ab"},
  };
  for (const auto& [text, data] : cases) EXPECT_EQ(Base64Decode(text), data) << text;
}

TEST(Base64, DecodeRefusesLengthNotMultipleOfFour) {
  for (const char* text : {"Y", "YW", "YWJ", "YWJjZ", "YWJjZG="}) {
    try {
      Base64Decode(text);
      ADD_FAILURE() << text << ": no error";
    } catch (const EZK_base64& e) {
      EXPECT_STREQ(e.what(), "Base64: Incorrect string format") << text;
    }
  }
}

// Every length 0..64: the encoding is the usual one except for the carried-over pad bits, and it
// decodes back to the input.
TEST(Base64, RoundTripsAndDiffersFromUsualOnlyInPadBits) {
  std::mt19937 rng(64);
  for (size_t n = 0; n <= 64; ++n) {
    SCOPED_TRACE(n);
    const std::string data = RandomBytes(rng, n);
    const std::string text = Base64Encode(data);
    EXPECT_EQ(text.size(), (n + 2) / 3 * 4);
    EXPECT_EQ(Base64Decode(text), data);

    std::string expected = Botan::base64_encode(reinterpret_cast<const uint8_t*>(data.data()), n);
    auto byte = [&](size_t i) { return static_cast<uint8_t>(data[i]); };
    if (n >= 4 && n % 3 == 1)
      expected[expected.size() - 3] = kAlphabet[(byte(n - 1) & 3) << 4 | byte(n - 3) >> 4];
    if (n >= 5 && n % 3 == 2)
      expected[expected.size() - 2] = kAlphabet[(byte(n - 1) & 15) << 2 | byte(n - 3) >> 6];
    EXPECT_EQ(text, expected);
  }
}

}  // namespace
}  // namespace zk
