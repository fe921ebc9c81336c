// Rijndael with a 128-bit block (AES, FIPS-197): table-driven rounds and the equivalent inverse cipher,
// or the CPU's AES instructions when it has them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "CipherModes.h"

namespace zk {

class RijndaelCore {
 public:
  static constexpr const char* kName = "Rijndael";
  static constexpr int kBlockBytes = 16;

  void SetKey(const uint8_t* key, int32_t bits);
  void Wipe();
  void Encrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void Decrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
  // The 16 bytes "#INIT_IV_TO_NIL#" given as IV ask for an all-zero IV.
  static void AdoptIv(uint8_t* iv);
};

class TZK_rijndael final : public TZK_cipherModes<RijndaelCore> {};

}  // namespace zk
