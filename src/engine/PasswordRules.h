// What a password must satisfy before a run, shared by the password dialog and zkcli. Lengths count the
// password's CP932 bytes, so a double-byte character counts two.
#pragma once

#include <string_view>

namespace zk {

inline constexpr std::string_view kPasswordMismatch =
    "入力されたパスワードが再入力されたパスワードと一致しません。再度入力してください。";
inline constexpr std::string_view kPasswordEmpty = "パスワードが入力されていません。";

// 1, 6, 10 or 20 bytes for the security levels 1 to 4; levels outside that range ask for nothing more
// than a non-empty password.
int MinimumPasswordBytes(int secLevel);

// The text refusing an empty password, or one too short for the security level when it is to encrypt;
// empty when the password is accepted.
std::string_view PasswordRefusal(std::string_view password, int secLevel, bool forEncryption);

}  // namespace zk
