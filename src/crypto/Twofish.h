// Twofish (128-bit block, 16 rounds) with full keying: the key-dependent S-boxes are folded with the MDS
// matrix into four tables of 256 words when the key is set.
#pragma once

#include <cstddef>
#include <cstdint>

#include "CipherModes.h"

namespace zk {

class TTwofishCore {
 public:
  static constexpr const char* kName = "Twofish";
  static constexpr int kBlockBytes = 16;

  void SetKey(const uint8_t* key, int32_t bits);
  void Wipe();
  void Encrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
  void Decrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
  // The chaining value stays in registers from block to block.
  void EncryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;
  // The blocks decrypt independently: 16 at a time across AVX-512 registers or 8 across AVX2 registers
  // where the CPU has them (chosen at each call), the rest by the portable code.
  void DecryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;

 private:
  template <size_t Lanes>
  void EncryptWords(uint32_t (&x)[Lanes][4]) const;
  template <size_t Lanes>
  void DecryptWords(uint32_t (&x)[Lanes][4]) const;
  template <size_t Lanes>
  void DecryptCbcGroup(const uint8_t* in, uint8_t* out, uint32_t (&previous)[4]) const;

  void DecryptCbcPortable(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;
  // TwofishAvx2.cpp and TwofishAvx512.cpp: whole groups of 8 or 16 blocks; they return how many blocks
  // they decrypted.
  size_t DecryptCbcAvx2(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;
  size_t DecryptCbcAvx512(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;

  uint32_t subkeys_[40];     // K0..K39: whitening K0..K7, then two per round
  uint32_t sboxes_[4][256];  // g(x) = sboxes_[0][byte 0] ^ ... ^ sboxes_[3][byte 3], MDS included
  // The same S-boxes before the MDS matrix, byte by byte: the tables of the AVX-512 byte permutes.
  uint8_t sboxBytes_[4][256];
};

class TZK_twofish final : public TZK_cipherModes<TTwofishCore> {};

}  // namespace zk
