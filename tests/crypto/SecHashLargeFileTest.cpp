// Files of 2 GiB and more: the message length no longer fits 31 bits.
#include <botan/hash.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "Hex.h"
#include "crypto/SecHash.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

TEST(SecHashLargeFile, SparseFileOfTwoGibibytesAndThreeBytes) {
  constexpr int64_t kSize = (int64_t{1} << 31) + 3;
  std::string pattern = (fs::temp_directory_path() / "zk-sechash-large-XXXXXX").string();
  const int fd = mkstemp(pattern.data());
  ASSERT_GE(fd, 0);
  const fs::path path = pattern;
  ASSERT_EQ(ftruncate(fd, kSize), 0);
  close(fd);

  auto sha = Botan::HashFunction::create_or_throw("SHA-1");
  const std::vector<uint8_t> zeros(1 << 20, 0);
  for (int64_t left = kSize; left > 0; left -= static_cast<int64_t>(zeros.size())) {
    sha->update(zeros.data(), static_cast<size_t>(std::min<int64_t>(left, zeros.size())));
  }
  const auto expected = sha->final();

  TSecHash hash;
  const TSecHash::Digest words = hash.HashFile(path.string());
  fs::remove(path);
  std::string hex;
  char group[9];
  for (uint32_t w : words) {
    std::snprintf(group, sizeof group, "%08x", w);
    hex += group;
  }
  EXPECT_EQ(hex, test::ToHex(expected.data(), expected.size()));
}

}  // namespace
}  // namespace zk
