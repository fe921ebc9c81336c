#include "Rijndael.h"

#include <bit>
#include <cstring>

#include "Bytes.h"
#include "CpuFeatures.h"
#include "RijndaelTables.h"

namespace zk {
namespace {

inline uint32_t ByteOf(uint32_t word, int row) { return word >> 8 * row & 0xFF; }

inline uint32_t SubWord(uint32_t w) {
  const auto& s = kRijndaelSbox;
  return s[ByteOf(w, 0)] | s[ByteOf(w, 1)] << 8 | s[ByteOf(w, 2)] << 16 | uint32_t{s[ByteOf(w, 3)]} << 24;
}

inline uint32_t InvMixColumn(uint32_t w) {
  const auto& t = kRijndaelInvMixColumnsTables;
  return t[0][ByteOf(w, 0)] ^ t[1][ByteOf(w, 1)] ^ t[2][ByteOf(w, 2)] ^ t[3][ByteOf(w, 3)];
}

// The table-driven cipher in both directions. Row r of output column j comes from column j + r·Shift of
// the input: Shift 1 is ShiftRows, Shift 3 (that is -1) InvShiftRows. The round keys are walked from `key`
// in steps of `keyStep` words. The column loops are unrolled so that the state lives in registers.
template <int Shift>
[[gnu::always_inline]] inline void Cipher(uint32_t (&s)[4], const uint32_t* key, ptrdiff_t keyStep,
                                          int rounds, const RijndaelWordTables& tables,
                                          const RijndaelByteTable& box) {
  auto column = [&s](int j, int row) { return ByteOf(s[(j + row * Shift) & 3], row); };
  uint32_t t[4];
#pragma GCC unroll 4
  for (int j = 0; j < 4; ++j) s[j] ^= key[j];
  for (int round = 1; round < rounds; ++round) {
    key += keyStep;
#pragma GCC unroll 4
    for (int j = 0; j < 4; ++j) {
      t[j] = tables[0][column(j, 0)] ^ tables[1][column(j, 1)] ^ tables[2][column(j, 2)] ^
             tables[3][column(j, 3)] ^ key[j];
    }
#pragma GCC unroll 4
    for (int j = 0; j < 4; ++j) s[j] = t[j];
  }
  key += keyStep;
#pragma GCC unroll 4
  for (int j = 0; j < 4; ++j) {
    t[j] = (box[column(j, 0)] | box[column(j, 1)] << 8 | box[column(j, 2)] << 16 |
            uint32_t{box[column(j, 3)]} << 24) ^
           key[j];
  }
#pragma GCC unroll 4
  for (int j = 0; j < 4; ++j) s[j] = t[j];
}

inline void Load(uint32_t (&s)[4], const uint8_t* p) {
  for (int j = 0; j < 4; ++j) s[j] = LoadLE32(p + 4 * j);
}

inline void Store(uint8_t* p, const uint32_t (&s)[4]) {
  for (int j = 0; j < 4; ++j) StoreLE32(p + 4 * j, s[j]);
}

constexpr int kBlockBytes = TRijndaelCore::kBlockBytes;

}  // namespace

void TRijndaelCore::SetKey(const uint8_t* key, int32_t bits) {
  const int32_t bytes = bits / 8;
  rounds_ = bytes <= 16 ? 10 : bytes <= 24 ? 12 : 14;
  const int keyWords = rounds_ - 6;  // Nk
  const int words = 4 * (rounds_ + 1);
  uint32_t* w = encryptKeys_;
  for (int i = 0; i < keyWords; ++i) w[i] = LoadLE32(key + 4 * i);
  for (int i = keyWords; i < words; ++i) {
    uint32_t t = w[i - 1];
    if (i % keyWords == 0) {
      t = SubWord(std::rotr(t, 8)) ^ kRijndaelRoundConstants[i / keyWords - 1];  // RotWord, SubWord, Rcon
    } else if (keyWords > 6 && i % keyWords == 4) {
      t = SubWord(t);
    }
    w[i] = w[i - keyWords] ^ t;
  }
  for (int i = 0; i < words; ++i) {
    const bool outerRow = i < 4 || i >= 4 * rounds_;
    decryptKeys_[i] = outerRow ? w[i] : InvMixColumn(w[i]);
  }
  aesNi_ = cpu::UseAesNi();
  vaes_ = aesNi_ && cpu::Use(cpu::kVaes);
}

void TRijndaelCore::Wipe() {
  SecureFill(encryptKeys_, 0xFF);
  SecureFill(decryptKeys_, 0xFF);
  rounds_ = 0;
}

void TRijndaelCore::AdoptIv(uint8_t* iv) {
  static constexpr char kZeroIvMarker[] = "#INIT_IV_TO_NIL#";
  static_assert(sizeof kZeroIvMarker - 1 == kBlockBytes);
  if (std::memcmp(iv, kZeroIvMarker, kBlockBytes) == 0) std::memset(iv, 0, kBlockBytes);
}

void TRijndaelCore::Encrypt(const uint8_t* in, uint8_t* out, size_t blocks) const {
  aesNi_ ? EncryptAesNi(in, out, blocks) : EncryptPortable(in, out, blocks);
}

void TRijndaelCore::Decrypt(const uint8_t* in, uint8_t* out, size_t blocks) const {
  aesNi_ ? DecryptAesNi(in, out, blocks) : DecryptPortable(in, out, blocks);
}

void TRijndaelCore::EncryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  aesNi_ ? EncryptCbcAesNi(in, out, blocks, chain) : EncryptCbcPortable(in, out, blocks, chain);
}

void TRijndaelCore::DecryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  const size_t done = vaes_ ? DecryptCbcVaes(in, out, blocks, chain) : 0;
  in += done * kBlockBytes;
  out += done * kBlockBytes;
  blocks -= done;
  aesNi_ ? DecryptCbcAesNi(in, out, blocks, chain) : DecryptCbcPortable(in, out, blocks, chain);
}

void TRijndaelCore::EncryptPortable(const uint8_t* in, uint8_t* out, size_t blocks) const {
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) {
    uint32_t s[4];
    Load(s, in);
    Cipher<1>(s, encryptKeys_, 4, rounds_, kRijndaelEncryptTables, kRijndaelSbox);
    Store(out, s);
  }
}

void TRijndaelCore::DecryptPortable(const uint8_t* in, uint8_t* out, size_t blocks) const {
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) {
    uint32_t s[4];
    Load(s, in);
    Cipher<3>(s, decryptKeys_ + 4 * rounds_, -4, rounds_, kRijndaelDecryptTables, kRijndaelInverseSbox);
    Store(out, s);
  }
}

void TRijndaelCore::EncryptCbcPortable(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  uint32_t c[4];
  Load(c, chain);
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) {
    for (int j = 0; j < 4; ++j) c[j] ^= LoadLE32(in + 4 * j);
    Cipher<1>(c, encryptKeys_, 4, rounds_, kRijndaelEncryptTables, kRijndaelSbox);
    Store(out, c);
  }
  Store(chain, c);
}

void TRijndaelCore::DecryptCbcPortable(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  uint32_t previous[4];
  Load(previous, chain);
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) {
    uint32_t ciphertext[4], s[4];
    Load(ciphertext, in);  // before the store: out may be in
    for (int j = 0; j < 4; ++j) s[j] = ciphertext[j];
    Cipher<3>(s, decryptKeys_ + 4 * rounds_, -4, rounds_, kRijndaelDecryptTables, kRijndaelInverseSbox);
    for (int j = 0; j < 4; ++j) {
      s[j] ^= previous[j];
      previous[j] = ciphertext[j];
    }
    Store(out, s);
  }
  Store(chain, previous);
}

}  // namespace zk
