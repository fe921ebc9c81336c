#include <botan/hash.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "Hex.h"
#include "TempFolder.h"
#include "WriteProtection.h"
#include "crypto/SecHash.h"

namespace zk {
namespace {

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
  std::string WriteFile(const std::string& name, const std::string& content) {
    return folder_.WriteFile(name, content);
  }

  test::TempFolder folder_;
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
  EXPECT_EQ(DigestText({0, 0xF, 0xABC, 0x100000, 0xFFFFFFFF}),
            "00000000 0000000F 00000ABC 00100000 FFFFFFFF");
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

// A file that refuses to be opened for writing, even by root, is read all the same.
TEST_F(SecHash, HashesAFileThatCannotBeOpenedForWriting) {
  const std::string path = WriteFile("read-only", "abc");
  ::chmod(path.c_str(), 0444);
  test::WriteProtection protection(path);
  if (!protection.Locked()) GTEST_SKIP() << "this file system cannot forbid writing to root";
  const int fd = ::open(path.c_str(), O_RDWR);
  if (fd >= 0) ::close(fd);
  ASSERT_LT(fd, 0) << "the file can still be opened for writing";
  EXPECT_EQ(WordsHex(hash_.HashFile(path)), "a9993e364706816aba3e25717850c26c9cd0d89d");
}

// What cannot be read as a file is refused with the tool's one text and the real reason beside it; a FIFO
// is refused without waiting for a writer.
TEST_F(SecHash, RefusesWhatCannotBeReadAndSaysWhy) {
  const std::string fifo = folder_.Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string unreadable = WriteFile("unreadable", "abc");
  ::chmod(unreadable.c_str(), 0);
  struct Case {
    std::string path;
    std::string reason;
  } cases[] = {
      {folder_.Path("missing"), std::strerror(ENOENT)},
      {folder_.MakeFolder("folder"), std::strerror(EISDIR)},
      {folder_.MakeLink("dangling", folder_.Path("nowhere")), std::strerror(ENOENT)},
      {"", std::strerror(ENOENT)},
      {fifo, "Not a regular file"},
      {"/dev/null", "Not a regular file"},
      {unreadable, std::strerror(EACCES)},
  };
  for (const Case& c : cases) {
    if (c.path == unreadable && ::geteuid() == 0) continue;  // root reads it anyway
    try {
      hash_.HashFile(c.path);
      ADD_FAILURE() << c.path << ": no error";
    } catch (const ESecHashException& e) {
      EXPECT_STREQ(e.what(), "File not found !") << c.path;
      EXPECT_EQ(e.Reason(), c.reason) << c.path;
    }
  }
}

TEST_F(SecHash, RefusesNegativeLength) { EXPECT_THROW(hash_.HashBuffer("abc", -1), std::invalid_argument); }

}  // namespace
}  // namespace zk
