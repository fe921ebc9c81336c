// Rijndael with a 128-bit block (AES, FIPS-197): table-driven rounds and the equivalent inverse cipher,
// or the CPU's AES instructions when it has them (CBC decryption with VAES where it has those too).
#pragma once

#include <cstddef>
#include <cstdint>

#include "CipherModes.h"

namespace zk {

class TRijndaelCore {
 public:
  static constexpr const char* kName = "Rijndael";
  static constexpr int kBlockBytes = 16;

  void SetKey(const uint8_t* key, int32_t bits);
  void Wipe();
  void Encrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void Decrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
  // The 16 bytes "#INIT_IV_TO_NIL#" given as IV ask for an all-zero IV.
  static void AdoptIv(uint8_t* iv);

  // CBC over whole blocks; `chain` is the chaining value in and out. In-place (in == out) is allowed.
  void EncryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;
  void DecryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;

 private:
  static constexpr int kMaxRounds = 14;
  static constexpr int kKeyWords = 4 * (kMaxRounds + 1);

  void EncryptPortable(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void DecryptPortable(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void EncryptCbcPortable(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;
  void DecryptCbcPortable(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;

  // RijndaelAesNi.cpp; the round keys serve as they are, since their little-endian words hold the key
  // bytes in order and the decryption keys are already those of the equivalent inverse cipher.
  void EncryptAesNi(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void DecryptAesNi(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void EncryptCbcAesNi(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;
  void DecryptCbcAesNi(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;
  // RijndaelVaes.cpp: whole groups of four blocks; returns how many blocks it decrypted.
  size_t DecryptCbcVaes(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;

  // Round key row r is words 4r..4r+3, rows 0..rounds_, both in the order of FIPS-197; the decryption
  // rows 1..rounds_-1 have been through InvMixColumns.
  alignas(16) uint32_t encryptKeys_[kKeyWords];
  alignas(16) uint32_t decryptKeys_[kKeyWords];
  int32_t rounds_ = 0;
  bool aesNi_ = false;  // chosen when keyed
  bool vaes_ = false;   // CBC decryption in 512-bit registers, with AES-NI for the rest
};

class TZK_rijndael final : public TZK_cipherModes<TRijndaelCore> {};

}  // namespace zk
