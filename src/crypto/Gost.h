// GOST 28147-89 (64-bit block, 256-bit key, 32 rounds) with the S-boxes of the GOST R 34.11-94 test
// parameter set, folded with the 11-bit rotation into four tables of 256 words.
#pragma once

#include <cstddef>
#include <cstdint>

#include "CipherModes.h"

namespace zk {

class TGostCore {
 public:
  static constexpr const char* kName = "Gost";
  static constexpr int kBlockBytes = 8;

  void SetKey(const uint8_t* key, int32_t bits);
  void Wipe();
  void Encrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void Decrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void EncryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;

 private:
  uint32_t key_[8];  // K0..K7
};

class TZK_gost final : public TZK_cipherModes<TGostCore> {};

}  // namespace zk
