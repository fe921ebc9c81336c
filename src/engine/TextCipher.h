// Short texts encrypted under a key text and carried as Base64, and the 8-character password check value.
// All three are deterministic: the same bytes in always give the same text out. Texts are bytes as they
// are stored (CP932 for Japanese text); the engine converts from UTF-8 before calling these.
#pragma once

#include <string>
#include <string_view>

namespace zk {

class TSecHash;
class TZK_blockcipher;

// Twofish keyed from the key text (InitFromString), CFB-8 over the text, then the program's Base64.
// The cipher is left wiped.
std::string EncryptText(TZK_blockcipher& cipher, std::string_view text, std::string_view keyText);
// The reverse; throws EZK_base64 when the Base64 text is malformed. The cipher is left wiped.
std::string DecryptText(TZK_blockcipher& cipher, std::string_view base64, std::string_view keyText);
// The same two with a cipher keyed from the key text already, for many texts under one key schedule: its
// chaining is reset first and its key stays.
std::string EncryptKeyedText(TZK_blockcipher& keyedCipher, std::string_view text);
std::string DecryptKeyedText(TZK_blockcipher& keyedCipher, std::string_view base64);
// 8 upper-case hexadecimal digits: the last word of the SHA-1 of EncryptText("4082917", password).
std::string PasswordCheckValue(TZK_blockcipher& cipher, TSecHash& hash, std::string_view password);

}  // namespace zk
