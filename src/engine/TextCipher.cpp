#include "TextCipher.h"

#include "crypto/Base64.h"
#include "crypto/BlockCipher.h"
#include "crypto/SecHash.h"

namespace zk {
namespace {

// The text that a password encrypts to form its check value.
constexpr std::string_view kCheckConstant = "4082917";

// Keys the cipher from a key text for one pass and leaves it wiped afterwards, also after an error.
class TKeyedPass {
 public:
  TKeyedPass(TZK_blockcipher& cipher, std::string_view keyText) : cipher_(cipher) {
    cipher_.InitFromString(keyText);
  }
  ~TKeyedPass() {
    cipher_.Reset();
    cipher_.Wipe();
  }
  TKeyedPass(const TKeyedPass&) = delete;
  TKeyedPass& operator=(const TKeyedPass&) = delete;

 private:
  TZK_blockcipher& cipher_;
};

}  // namespace

std::string EncryptText(TZK_blockcipher& cipher, std::string_view text, std::string_view keyText) {
  const TKeyedPass pass(cipher, keyText);
  return EncryptKeyedText(cipher, text);
}

std::string DecryptText(TZK_blockcipher& cipher, std::string_view base64, std::string_view keyText) {
  const TKeyedPass pass(cipher, keyText);
  return DecryptKeyedText(cipher, base64);
}

std::string EncryptKeyedText(TZK_blockcipher& keyedCipher, std::string_view text) {
  std::string bytes(text);
  keyedCipher.Reset();
  keyedCipher.EncryptCFB8(bytes.data(), bytes.data(), static_cast<int32_t>(bytes.size()));
  return Base64Encode(bytes);
}

std::string DecryptKeyedText(TZK_blockcipher& keyedCipher, std::string_view base64) {
  std::string bytes = Base64Decode(base64);
  keyedCipher.Reset();
  keyedCipher.DecryptCFB8(bytes.data(), bytes.data(), static_cast<int32_t>(bytes.size()));
  return bytes;
}

std::string PasswordCheckValue(TZK_blockcipher& cipher, TSecHash& hash, std::string_view password) {
  return WordHex(hash.HashString(EncryptText(cipher, kCheckConstant, password))[4]);
}

}  // namespace zk
