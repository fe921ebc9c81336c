// What a password must satisfy before a run, shared by the password dialog and zkcli. Lengths count the
// password's CP932 bytes, so a double-byte character counts two.
#pragma once

#include <cstddef>
#include <string_view>

#include "engine/ContainerFormat.h"
#include "engine/TextMarker.h"

namespace zk {

inline constexpr std::string_view kPasswordMismatch = ZK_TRANSLATE_NOOP(
    "CoreTexts", "入力されたパスワードが再入力されたパスワードと一致しません。再度入力してください。");
inline constexpr std::string_view kPasswordEmpty =
    ZK_TRANSLATE_NOOP("CoreTexts", "パスワードが入力されていません。");

// The hint field holds 4 Base64 characters for every started 3 bytes of the stored hint, and at most
// kMaxFieldBytes of them.
inline constexpr size_t kMaxHintBytes = kMaxFieldBytes / 4 * 3;
inline constexpr std::string_view kHintTooLong =
    ZK_TRANSLATE_NOOP("CoreTexts",
                      "ヒントが長すぎます。ヒントは保存される形で750バイト（全角文字は2バイト、"
                      "Shift-JISで表せない文字を含む場合は全体がUTF-8となり1文字最大3バイト）までです。"
                      "ヒントを短くしてください。");
static_assert(kMaxHintBytes == 750, "kHintTooLong names the limit");

// A password or hint holding a character that Shift-JIS cannot represent is used whole as its UTF-8 bytes.
inline constexpr std::string_view kPasswordBeyondShiftJis = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "パスワードにShift-JISで表せない文字が含まれているため、パスワード全体をUTF-8のバイト列として使用します"
    "（最低文字数もUTF-8のバイト数で数えます）。このパスワードで暗号化したファイルは、Windows版のZKでは同じ"
    "パスワードを入力しても復号できません。");
inline constexpr std::string_view kHintBeyondShiftJis = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "ヒントにShift-JISで表せない文字が含まれているため、ヒント全体をUTF-8で保存します。Windows版のZKでは"
    "このヒントは正しく表示されません。");

// True when the hint, as it will be stored (CP932, or UTF-8 when CP932 cannot hold it), fits a container.
bool HintFits(std::string_view hint);

// 1, 6, 10 or 20 bytes for the security levels 1 to 4; levels outside that range ask for nothing more
// than a non-empty password.
int MinimumPasswordBytes(int secLevel);

// The text refusing an empty password, or one too short for the security level when it is to encrypt;
// empty when the password is accepted.
std::string_view PasswordRefusal(std::string_view password, int secLevel, bool forEncryption);

}  // namespace zk
