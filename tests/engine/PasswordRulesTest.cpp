#include <gtest/gtest.h>

#include "engine/PasswordRules.h"

namespace zk {
namespace {

struct PasswordCase {
  const char* password;
  int level;
  bool forEncryption;
  const char* refusalStart;  // nullptr: accepted
};

// Lengths count CP932 bytes: "あいう" is 6 bytes, "あいうえ" 8.
const PasswordCase kCases[] = {
    {"", 1, true, "パスワードが入力されていません。"},
    {"", 4, false, "パスワードが入力されていません。"},
    {"a", 1, true, nullptr},
    {"abcde", 2, true, "セキュリティレベルが２"},
    {"abcdef", 2, true, nullptr},
    {"あいう", 2, true, nullptr},
    {"あいうえ", 3, true, "セキュリティレベルが３"},
    {"あいうえお", 3, true, nullptr},
    {"0123456789012345678", 4, true, "セキュリティレベルが４"},
    {"01234567890123456789", 4, true, nullptr},
    {"short", 4, false, nullptr},  // decryption knows no minimum
    {"x", 0, true, nullptr},       // a level outside 1 to 4 asks for nothing more
    {"x", 9, true, nullptr},
};

TEST(PasswordRules, RefusalsByLevel) {
  for (const auto& c : kCases) {
    const std::string_view refusal = PasswordRefusal(c.password, c.level, c.forEncryption);
    if (c.refusalStart == nullptr) {
      EXPECT_TRUE(refusal.empty()) << c.password << " at level " << c.level << ": " << refusal;
    } else {
      EXPECT_TRUE(refusal.starts_with(c.refusalStart))
          << c.password << " at level " << c.level << ": " << refusal;
    }
  }
}

TEST(PasswordRules, MinimumBytes) {
  const int expected[] = {1, 1, 6, 10, 20, 1};
  for (int level = 0; level <= 5; ++level) EXPECT_EQ(MinimumPasswordBytes(level), expected[level]) << level;
}

}  // namespace
}  // namespace zk
