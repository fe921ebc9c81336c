#include "HandMadeContainer.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "crypto/Base64.h"
#include "crypto/Gost.h"
#include "crypto/Rijndael.h"
#include "crypto/SHA1.h"
#include "crypto/Twofish.h"

namespace zk::test {
namespace {

std::string Sha1(std::string_view bytes) {
  TZK_sha1 sha;
  sha.Init();
  sha.UpdateString(bytes);
  std::string digest(20, '\0');
  sha.Final(digest.data());
  return digest;
}

// Twofish keyed with SHA-1 of the key text (160 bits, no IV), CFB-8, then Base64.
std::string TextField(std::string text, std::string_view keyText) {
  TZK_twofish cipher;
  cipher.InitFromString(keyText);
  cipher.EncryptCFB8(text.data(), text.data(), static_cast<int32_t>(text.size()));
  return Base64Encode(text);
}

std::unique_ptr<TZK_blockcipher> CipherFor(int32_t algorithm) {
  if (algorithm == 1) return std::make_unique<TZK_rijndael>();
  if (algorithm == 2) return std::make_unique<TZK_gost>();
  return std::make_unique<TZK_twofish>();
}

}  // namespace

std::string Int32Bytes(int32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
  return bytes;
}

std::string HandMadeContainer(const TContainerRecipe& recipe) {
  const std::string checkDigest = Sha1(TextField("4082917", recipe.Password));
  char checkValue[9];
  std::snprintf(checkValue, sizeof checkValue, "%02X%02X%02X%02X", uint8_t(checkDigest[16]),
                uint8_t(checkDigest[17]), uint8_t(checkDigest[18]), uint8_t(checkDigest[19]));

  uint8_t key[32];
  std::memset(key, 0xFF, sizeof key);
  const std::string passwordDigest = Sha1(recipe.Password);
  std::memcpy(key, passwordDigest.data(), passwordDigest.size());
  std::unique_ptr<TZK_blockcipher> cipher = CipherFor(recipe.Algorithm);
  cipher->Init(key, 256, nullptr);
  std::string check(checkValue, 8);
  cipher->EncryptCBC(check.data(), check.data(), 8);
  cipher->Reset();
  std::string payload = recipe.Plain;
  cipher->EncryptCBC(payload.data(), payload.data(), static_cast<int32_t>(payload.size()));

  const std::string hint = TextField(recipe.Hint, "513907264");
  const std::string name = TextField(recipe.Name, "513907264");
  return "ENCRYPTED BY V3.X ZK" + Int32Bytes(recipe.Algorithm) + check + Int32Bytes(int32_t(hint.size())) +
         hint + Int32Bytes(int32_t(name.size())) + name + Int32Bytes(recipe.FileDate) + payload;
}

}  // namespace zk::test
