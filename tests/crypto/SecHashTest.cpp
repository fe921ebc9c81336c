#include <botan/hash.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "Hex.h"
#include "crypto/SecHash.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

std::string WordsHex(const TSecHash::Digest& words) {
  std::string hex;
  char group[9];
  for (uint32_t w : words) {
    std::snprintf(group, sizeof group, "%08x", w);
    hex += group;
  }
  return hex;
}

std::string BotanSha1Hex(const std::string& message) {
  auto sha = Botan::HashFunction::create_or_throw("SHA-1");
  sha->update(message);
  const auto digest = sha->final();
  return test::ToHex(digest.data(), digest.size());
}

class SecHash : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zk-sechash-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string WriteFile(const std::string& name, const std::string& content) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  fs::path folder_;
  TSecHash hash_;
};

TEST_F(SecHash, AbcAsFiveWords) {
  const TSecHash::Digest expected = {0xA9993E36, 0x4706816A, 0xBA3E2571, 0x7850C26C, 0x9CD0D89D};
  EXPECT_EQ(hash_.HashString("abc"), expected);
}

// Padding edges (55/56 bytes: the length field spills into a second block; 64: one data block plus a
// padding block) and the edges of the pieces in which files are read.
TEST(SecHashText, EightDigitGroupsKeepTheirLeadingZeros) {
  EXPECT_EQ(DigestText({0xA9993E36, 0x4706816A, 0xBA3E2571, 0x7850C26C, 0x9CD0D89D}),
            "A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D");
  EXPECT_EQ(DigestText({0, 0xF, 0xABC, 0x100000, 0xFFFFFFFF}), "00000000 0000000F 00000ABC 00100000 FFFFFFFF");
  EXPECT_EQ(WordHex(0x0000DEAD), "0000DEAD");
}

TEST_F(SecHash, StringBufferAndFileAgreeWithBotan) {
  std::mt19937 rng(5);
  for (size_t size : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 119u, 120u, 128u, 1000u, 65535u, 65536u, 65537u,
                      131072u + 55u, 300000u}) {
    SCOPED_TRACE(size);
    std::string content(size, '\0');
    for (auto& c : content) c = static_cast<char>(rng());
    const std::string expected = BotanSha1Hex(content);
    EXPECT_EQ(WordsHex(hash_.HashString(content)), expected);
    EXPECT_EQ(WordsHex(hash_.HashBuffer(content.data(), static_cast<int64_t>(size))), expected);
    EXPECT_EQ(WordsHex(hash_.HashFile(WriteFile("data", content))), expected);
  }
}

TEST_F(SecHash, EmptyMessageIsTheDigestOfZeroBytes) {
  const std::string empty = "da39a3ee5e6b4b0d3255bfef95601890afd80709";
  EXPECT_EQ(WordsHex(hash_.HashString("")), empty);
  EXPECT_EQ(WordsHex(hash_.HashBuffer(nullptr, 0)), empty);
  EXPECT_EQ(WordsHex(hash_.HashFile(WriteFile("empty", ""))), empty);
}

// Files that the desktop program could not open for reading and writing are refused alike.
TEST_F(SecHash, RefusesWhatCannotBeOpenedForWriting) {
  const std::string readOnly = WriteFile("read-only", "abc");
  fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  fs::create_directory(folder_ / "folder");
  const std::string dangling = (folder_ / "dangling").string();
  fs::create_symlink(folder_ / "nowhere", dangling);

  for (const std::string& path :
       {(folder_ / "missing").string(), readOnly, (folder_ / "folder").string(), dangling, std::string()}) {
    try {
      hash_.HashFile(path);
      ADD_FAILURE() << path << ": no error";
    } catch (const ESecHashException& e) {
      EXPECT_STREQ(e.what(), "File not found !") << path;
    }
  }
}

TEST_F(SecHash, RefusesNegativeLength) { EXPECT_THROW(hash_.HashBuffer("abc", -1), std::invalid_argument); }

}  // namespace
}  // namespace zk
