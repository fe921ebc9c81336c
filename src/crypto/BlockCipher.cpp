#include "BlockCipher.h"

#include <algorithm>

#include "Bytes.h"
#include "SHA1.h"

namespace zk {

void TZK_blockcipher::FailNotInitialized() const { throw EZK_blockcipher(algorithm_ + ": Not initialized"); }

void TZK_blockcipher::FailKeySize(int32_t bits) const {
  throw EZK_blockcipher(algorithm_ + ": Invalid key size - " + std::to_string(bits));
}

void TZK_blockcipher::InitFromString(std::string_view Str) {
  TZK_sha1 hash;
  uint8_t digest[TZK_sha1::kDigestBytes];
  hash.Init();
  hash.UpdateString(Str);
  hash.Final(digest);
  try {
    Init(digest, std::min(MaxKeySize(), hash.HashSize()), nullptr);
  } catch (...) {
    SecureFill(digest, 0xFF);
    throw;
  }
  SecureFill(digest, 0xFF);
}

}  // namespace zk
