#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/SecretBytes.h"

namespace zk {
namespace {

bool AllZero(const char* bytes, size_t count) {
  return std::all_of(bytes, bytes + count, [](char c) { return c == 0; });
}

TEST(SecretBytes, KeepsWhatIsAppendedAcrossGrowth) {
  TSecretBytes secret;
  std::string expected;
  for (int i = 0; i < 10000; ++i) {  // a byte at a time, as a line is read, over several pages
    const char c = static_cast<char>('a' + i % 26);
    secret.Append({&c, 1});
    expected += c;
  }
  EXPECT_EQ(secret.View(), expected);
  secret.Append("\r");
  secret.RemoveLast();
  EXPECT_EQ(secret.View(), expected);
}

TEST(SecretBytes, ClearingOverwritesTheBytesWhereTheyLie) {
  TSecretBytes secret("パスワード secret");
  const std::string_view before = secret.View();
  secret.Clear();
  EXPECT_TRUE(secret.Empty());
  EXPECT_TRUE(AllZero(before.data(), before.size()));  // the pages stay until the holder goes
  secret.Append("next");
  EXPECT_EQ(secret.View(), "next");
}

TEST(SecretBytes, MovingHandsOverTheBytesWithoutACopy) {
  TSecretBytes first("one");
  const char* const bytes = first.View().data();
  TSecretBytes second(std::move(first));
  EXPECT_TRUE(first.Empty());
  EXPECT_EQ(second.View().data(), bytes);
  TSecretBytes third("three");
  third = std::move(second);
  EXPECT_EQ(third.View(), "one");
  EXPECT_TRUE(second.Empty());
  EXPECT_TRUE(TSecretBytes().View().empty());
}

TEST(SecretBytes, WipeStringOverwritesTheSpareRoomToo) {
  std::string text = "a password long enough to live on the heap";
  text = "short";  // the rest of the old text stays in the spare room
  const char* const bytes = text.data();
  const size_t capacity = text.capacity();
  WipeString(text);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(text.data(), bytes);
  EXPECT_TRUE(AllZero(bytes, capacity));
}

}  // namespace
}  // namespace zk
