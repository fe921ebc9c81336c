#include "Twofish.h"

#include <bit>
#include <cstring>

#include "Bytes.h"
#include "CpuFeatures.h"
#include "TwofishTables.h"

namespace zk {
namespace {

// Blocks the portable CBC decryption takes side by side: a round is one long dependency chain, so
// independent blocks fill the gaps. Four beat two by about a fifth; eight run out of registers.
constexpr size_t kDecryptLanes = 4;

constexpr uint32_t kRho = 0x01010101;

constexpr uint8_t ByteOf(uint32_t word, int i) { return static_cast<uint8_t>(word >> (8 * i)); }

// The S-box key word of 8 key bytes: their Reed-Solomon code (generator polynomial 0x14D).
uint32_t RsEncode(const uint8_t* m) {
  static constexpr uint8_t kRs[4][8] = {
      {0x01, 0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E},
      {0xA4, 0x56, 0x82, 0xF3, 0x1E, 0xC6, 0x68, 0xE5},
      {0x02, 0xA1, 0xFC, 0xC1, 0x47, 0xAE, 0x3D, 0x19},
      {0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E, 0x03},
  };
  uint32_t word = 0;
  for (int row = 0; row < 4; ++row) {
    uint8_t s = 0;
    for (int col = 0; col < 8; ++col) s ^= twofish::GfMul(kRs[row][col], m[col], 0x14D);
    word |= uint32_t{s} << (8 * row);
  }
  return word;
}

// The function h up to its last permutation: x through the lane's permutations, each followed by the XOR
// of the lane's byte of one key word, list[k-1] first and list[0] last.
uint8_t KeyedLane(int lane, uint8_t x, const uint32_t* list, int k) {
  for (int stage = 4 - k, word = k - 1; word >= 0; ++stage, --word) {
    x = (*twofish::kLanePermutations[lane][stage])[x] ^ ByteOf(list[word], lane);
  }
  return x;
}

// The function h of the key schedule: each byte of x through its keyed lane, then the MDS matrix.
uint32_t H(uint32_t x, const uint32_t* list, int k) {
  uint32_t z = 0;
  for (int lane = 0; lane < 4; ++lane) z ^= twofish::kMds[lane][KeyedLane(lane, ByteOf(x, lane), list, k)];
  return z;
}

using KeyedSboxes = uint32_t[4][256];

// A byte of a word as a 64-bit index: the compiler then uses the byte moves' zero extension as is, where
// a narrower type costs a further extension on the round's critical path (about 7% of the speed).
constexpr uint64_t Index(uint32_t word, int i) { return (uint64_t{word} >> (8 * i)) & 0xFF; }

// g(x) and g(ROL(x, 8)), the two halves of the round function: four lookups each.
inline uint32_t G(const KeyedSboxes& s, uint32_t x) {
  return s[0][Index(x, 0)] ^ s[1][Index(x, 1)] ^ s[2][Index(x, 2)] ^ s[3][Index(x, 3)];
}

inline uint32_t GRotated(const KeyedSboxes& s, uint32_t x) {
  return s[0][Index(x, 3)] ^ s[1][Index(x, 0)] ^ s[2][Index(x, 1)] ^ s[3][Index(x, 2)];
}

}  // namespace

void TTwofishCore::SetKey(const uint8_t* key, int32_t bits) {
  // The key length class in 64-bit units (128, 192 or 256 bits); a shorter key runs zero-padded to it.
  const int k = bits <= 128 ? 2 : bits <= 192 ? 3 : 4;
  uint32_t even[4], odd[4], sboxKey[4];
  for (int i = 0; i < k; ++i) {
    even[i] = LoadLE32(key + 8 * i);
    odd[i] = LoadLE32(key + 8 * i + 4);
    sboxKey[k - 1 - i] = RsEncode(key + 8 * i);
  }
  for (uint32_t i = 0; i < 20; ++i) {
    const uint32_t a = H(2 * i * kRho, even, k);
    const uint32_t b = std::rotl(H((2 * i + 1) * kRho, odd, k), 8);
    subkeys_[2 * i] = a + b;
    subkeys_[2 * i + 1] = std::rotl(a + 2 * b, 9);
  }
  for (int lane = 0; lane < 4; ++lane) {
    for (unsigned x = 0; x < 256; ++x) {
      const uint8_t y = KeyedLane(lane, static_cast<uint8_t>(x), sboxKey, k);
      sboxes_[lane][x] = twofish::kMds[lane][y];
      sboxBytes_[lane][x] = (*twofish::kLanePermutations[lane][4])[y];
    }
  }
  SecureFill(even, 0xFF);
  SecureFill(odd, 0xFF);
  SecureFill(sboxKey, 0xFF);
}

void TTwofishCore::Wipe() {
  SecureFill(subkeys_, 0xFF);
  SecureFill(sboxes_, 0xFF);
  SecureFill(sboxBytes_, 0xFF);
}

// Whitening, sixteen rounds taken in pairs so that the halves never swap, and output whitening, over
// `Lanes` independent blocks of four words each.
template <size_t Lanes>
inline void TTwofishCore::EncryptWords(uint32_t (&x)[Lanes][4]) const {
  uint32_t a[Lanes], b[Lanes], c[Lanes], d[Lanes];
  for (size_t l = 0; l < Lanes; ++l) {
    a[l] = x[l][0] ^ subkeys_[0];
    b[l] = x[l][1] ^ subkeys_[1];
    c[l] = x[l][2] ^ subkeys_[2];
    d[l] = x[l][3] ^ subkeys_[3];
  }
#pragma GCC unroll 8
  for (int r = 0; r < 8; ++r) {
    const uint32_t* k = subkeys_ + 8 + 4 * r;
    for (size_t l = 0; l < Lanes; ++l) {
      const uint32_t t0 = G(sboxes_, a[l]), t1 = GRotated(sboxes_, b[l]);
      c[l] = std::rotr(c[l] ^ (t0 + t1 + k[0]), 1);
      d[l] = std::rotl(d[l], 1) ^ (t0 + 2 * t1 + k[1]);
    }
    for (size_t l = 0; l < Lanes; ++l) {
      const uint32_t t0 = G(sboxes_, c[l]), t1 = GRotated(sboxes_, d[l]);
      a[l] = std::rotr(a[l] ^ (t0 + t1 + k[2]), 1);
      b[l] = std::rotl(b[l], 1) ^ (t0 + 2 * t1 + k[3]);
    }
  }
  for (size_t l = 0; l < Lanes; ++l) {
    x[l][0] = c[l] ^ subkeys_[4];
    x[l][1] = d[l] ^ subkeys_[5];
    x[l][2] = a[l] ^ subkeys_[6];
    x[l][3] = b[l] ^ subkeys_[7];
  }
}

template <size_t Lanes>
inline void TTwofishCore::DecryptWords(uint32_t (&x)[Lanes][4]) const {
  uint32_t a[Lanes], b[Lanes], c[Lanes], d[Lanes];
  for (size_t l = 0; l < Lanes; ++l) {
    c[l] = x[l][0] ^ subkeys_[4];
    d[l] = x[l][1] ^ subkeys_[5];
    a[l] = x[l][2] ^ subkeys_[6];
    b[l] = x[l][3] ^ subkeys_[7];
  }
#pragma GCC unroll 8
  for (int r = 7; r >= 0; --r) {
    const uint32_t* k = subkeys_ + 8 + 4 * r;
    for (size_t l = 0; l < Lanes; ++l) {
      const uint32_t t0 = G(sboxes_, c[l]), t1 = GRotated(sboxes_, d[l]);
      a[l] = std::rotl(a[l], 1) ^ (t0 + t1 + k[2]);
      b[l] = std::rotr(b[l] ^ (t0 + 2 * t1 + k[3]), 1);
    }
    for (size_t l = 0; l < Lanes; ++l) {
      const uint32_t t0 = G(sboxes_, a[l]), t1 = GRotated(sboxes_, b[l]);
      c[l] = std::rotl(c[l], 1) ^ (t0 + t1 + k[0]);
      d[l] = std::rotr(d[l] ^ (t0 + 2 * t1 + k[1]), 1);
    }
  }
  for (size_t l = 0; l < Lanes; ++l) {
    x[l][0] = a[l] ^ subkeys_[0];
    x[l][1] = b[l] ^ subkeys_[1];
    x[l][2] = c[l] ^ subkeys_[2];
    x[l][3] = d[l] ^ subkeys_[3];
  }
}

namespace {

template <size_t Lanes>
inline void LoadBlocks(const uint8_t* in, uint32_t (&x)[Lanes][4]) {
  for (size_t l = 0; l < Lanes; ++l) {
    for (int i = 0; i < 4; ++i) x[l][i] = LoadLE32(in + 16 * l + 4 * i);
  }
}

template <size_t Lanes>
inline void StoreBlocks(uint8_t* out, const uint32_t (&x)[Lanes][4]) {
  for (size_t l = 0; l < Lanes; ++l) {
    for (int i = 0; i < 4; ++i) StoreLE32(out + 16 * l + 4 * i, x[l][i]);
  }
}

}  // namespace

void TTwofishCore::Encrypt(const uint8_t* in, uint8_t* out, size_t blocks) const {
  for (; blocks > 0; --blocks, in += 16, out += 16) {
    uint32_t x[1][4];
    LoadBlocks(in, x);
    EncryptWords(x);
    StoreBlocks(out, x);
  }
}

void TTwofishCore::Decrypt(const uint8_t* in, uint8_t* out, size_t blocks) const {
  for (; blocks > 0; --blocks, in += 16, out += 16) {
    uint32_t x[1][4];
    LoadBlocks(in, x);
    DecryptWords(x);
    StoreBlocks(out, x);
  }
}

// Lanes blocks of CBC decryption; `previous` is the ciphertext block before them, and becomes their last.
template <size_t Lanes>
inline void TTwofishCore::DecryptCbcGroup(const uint8_t* in, uint8_t* out, uint32_t (&previous)[4]) const {
  uint32_t x[Lanes][4], cipherText[Lanes][4];
  LoadBlocks(in, x);  // before the store: out may be in
  std::memcpy(cipherText, x, sizeof x);
  DecryptWords(x);
  for (size_t l = 0; l < Lanes; ++l) {
    for (int i = 0; i < 4; ++i) x[l][i] ^= l == 0 ? previous[i] : cipherText[l - 1][i];
  }
  std::memcpy(previous, cipherText[Lanes - 1], sizeof previous);
  StoreBlocks(out, x);
  SecureFill(x, 0xFF);
}

void TTwofishCore::DecryptCbcPortable(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  uint32_t previous[1][4];
  LoadBlocks(chain, previous);
  constexpr size_t kGroupBytes = 16 * kDecryptLanes;
  for (; blocks >= kDecryptLanes; blocks -= kDecryptLanes, in += kGroupBytes, out += kGroupBytes) {
    DecryptCbcGroup<kDecryptLanes>(in, out, previous[0]);
  }
  for (; blocks > 0; --blocks, in += 16, out += 16) DecryptCbcGroup<1>(in, out, previous[0]);
  StoreBlocks(chain, previous);
}

void TTwofishCore::DecryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  size_t done = 0;
  if (cpu::Use(cpu::kAvx512)) {
    done = DecryptCbcAvx512(in, out, blocks, chain);
  } else if (cpu::Use(cpu::kAvx2)) {
    done = DecryptCbcAvx2(in, out, blocks, chain);
  }
  DecryptCbcPortable(in + 16 * done, out + 16 * done, blocks - done, chain);
}

void TTwofishCore::EncryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  uint32_t x[1][4];
  LoadBlocks(chain, x);
  for (; blocks > 0; --blocks, in += 16, out += 16) {
    for (int i = 0; i < 4; ++i) x[0][i] ^= LoadLE32(in + 4 * i);
    EncryptWords(x);
    StoreBlocks(out, x);
  }
  StoreBlocks(chain, x);
  SecureFill(x, 0xFF);
}

}  // namespace zk
