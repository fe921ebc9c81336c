// Twofish (128-bit block, 16 rounds) with full keying: the key-dependent S-boxes are folded with the MDS
// matrix into four tables of 256 words when the key is set.
#pragma once

#include <cstddef>
#include <cstdint>

#include "CipherModes.h"

namespace zk {

class TwofishCore {
 public:
  static constexpr const char* kName = "Twofish";
  static constexpr int kBlockBytes = 16;

  void SetKey(const uint8_t* key, int32_t bits);
  void Wipe();
  void Encrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void Decrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
};

class TZK_twofish final : public TZK_cipherModes<TwofishCore> {};

}  // namespace zk
