#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "crypto/SHA1.h"

namespace zk {
namespace {

std::string Sha1Hex(std::string_view message) {
  TZK_sha1 sha;
  uint8_t digest[TZK_sha1::kDigestBytes];
  sha.Init();
  sha.UpdateString(message);
  sha.Final(digest);
  return test::ToHex(digest, sizeof digest);
}

TEST(Sha1, PublishedDigests) {
  EXPECT_EQ(Sha1Hex(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
  EXPECT_EQ(Sha1Hex("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
}

}  // namespace
}  // namespace zk
