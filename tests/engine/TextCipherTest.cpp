#include <gtest/gtest.h>

#include <string>

#include "crypto/Base64.h"
#include "crypto/SecHash.h"
#include "crypto/Twofish.h"
#include "engine/FileEngine.h"
#include "engine/TextCipher.h"

namespace zk {
namespace {

// Check values computed with Botan's Twofish and SHA-1 and the carried-bit Base64 rule written out by hand.
TEST(PasswordCheckValue, MatchesIndependentlyComputedValues) {
  TFileEngine engine;
  EXPECT_EQ(engine.PasswordCheckValue("secret"), "221DC0E2");
  EXPECT_EQ(engine.PasswordCheckValue(""), "6C02FC07");
}

TEST(PasswordCheckValue, IsEightUpperCaseHexDigitsAndDeterministic) {
  TFileEngine engine;
  for (const std::string password : {"", "a", "Password", "password", " pass ", "パスワード"}) {
    const std::string value = engine.PasswordCheckValue(password);
    ASSERT_EQ(value.size(), 8u) << password;
    EXPECT_EQ(value.find_first_not_of("0123456789ABCDEF"), std::string::npos) << value;
    EXPECT_EQ(engine.PasswordCheckValue(password), value);
    TFileEngine other;
    EXPECT_EQ(other.PasswordCheckValue(password), value);
  }
  EXPECT_NE(engine.PasswordCheckValue("Password"), engine.PasswordCheckValue("password"));
  EXPECT_NE(engine.PasswordCheckValue(" pass "), engine.PasswordCheckValue("pass"));
}

TEST(PasswordCheckValue, KeysAJapanesePasswordFromItsCp932Bytes) {
  TFileEngine engine;
  TZK_twofish cipher;
  TSecHash hash;
  // "パス" in CP932.
  EXPECT_EQ(engine.PasswordCheckValue("パス"), PasswordCheckValue(cipher, hash, "\x83\x70\x83\x58"));
  EXPECT_NE(engine.PasswordCheckValue("パス"), PasswordCheckValue(cipher, hash, "パス"));
}

TEST(TextCipher, LengthsAndPadding) {
  TZK_twofish cipher;
  struct Case {
    std::string text;
    size_t length;
    std::string padding;
  };
  for (const Case& c : {Case{"", 0, ""}, Case{"a", 4, "=="}, Case{"ab", 4, "="}, Case{"abc", 4, ""},
                        Case{"abcd", 8, "=="}, Case{"abcde", 8, "="}}) {
    const std::string field = EncryptText(cipher, c.text, "513907264");
    ASSERT_EQ(field.size(), c.length) << c.text;
    EXPECT_EQ(field.substr(field.find_first_of('=') == std::string::npos ? field.size() : field.find('=')),
              c.padding);
    EXPECT_EQ(DecryptText(cipher, field, "513907264"), c.text);
    EXPECT_EQ(EncryptText(cipher, c.text, "513907264"), field) << "deterministic";
    EXPECT_FALSE(cipher.Initialized());
  }
}

TEST(TextCipher, FieldOfANameMatchesIndependentValue) {
  TZK_twofish cipher;
  EXPECT_EQ(EncryptText(cipher, "a.txt", "513907264"), "GRU5Qro=");
}

TEST(TextCipher, DecryptingMalformedBase64FailsAndLeavesTheCipherWiped) {
  TZK_twofish cipher;
  EXPECT_THROW(DecryptText(cipher, "abcde", "513907264"), EZK_base64);
  EXPECT_FALSE(cipher.Initialized());
  EXPECT_EQ(DecryptText(cipher, "", "513907264"), "");
}

TEST(TextCipher, KeyTextMatters) {
  TZK_twofish cipher;
  EXPECT_NE(EncryptText(cipher, "hint", "513907264"), EncryptText(cipher, "hint", "513907265"));
}

}  // namespace
}  // namespace zk
