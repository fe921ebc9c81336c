#include "Gost.h"

#include "Bytes.h"
#include "GostTables.h"

namespace zk {
namespace {

// Blocks run side by side: a round is one long dependency chain, so independent blocks fill the gaps.
// CBC decryption arrives in batches of eight; eight lanes beat four by a tenth, four beat two by half.
constexpr size_t kLanes = 8;

// A byte of the word as a 64-bit index: the byte moves then zero-extend once, where a 32-bit index would
// cost a further extension on the round's critical path.
constexpr uint64_t Index(uint32_t word, int i) { return (uint64_t{word} >> (8 * i)) & 0xFF; }

inline uint32_t RoundFunction(uint32_t x) {
  const auto& t = kGostRoundTables;
  return t[0][Index(x, 0)] ^ t[1][Index(x, 1)] ^ t[2][Index(x, 2)] ^ t[3][Index(x, 3)];
}

// Eight rounds over Lanes blocks with the key words in the order K0..K7, or K7..K0 when Reversed.
template <bool Reversed, size_t Lanes>
inline void EightRounds(const uint32_t* key, uint32_t (&n1)[Lanes], uint32_t (&n2)[Lanes]) {
  auto k = [key](int i) { return key[Reversed ? 7 - i : i]; };
#pragma GCC unroll 4
  for (int i = 0; i < 8; i += 2) {
    for (size_t l = 0; l < Lanes; ++l) n2[l] ^= RoundFunction(n1[l] + k(i));
    for (size_t l = 0; l < Lanes; ++l) n1[l] ^= RoundFunction(n2[l] + k(i + 1));
  }
}

// Encryption takes the key words forwards three times, then backwards; decryption the mirror image.
template <bool Decrypting, size_t Lanes>
inline void ThirtyTwoRounds(const uint32_t* key, uint32_t (&n1)[Lanes], uint32_t (&n2)[Lanes]) {
  EightRounds<false>(key, n1, n2);
  EightRounds<Decrypting>(key, n1, n2);
  EightRounds<Decrypting>(key, n1, n2);
  EightRounds<true>(key, n1, n2);
}

// A block is the words N1, N2 in, and N2, N1 out.
template <bool Decrypting, size_t Lanes>
inline void Transform(const uint32_t* key, const uint8_t* in, uint8_t* out) {
  uint32_t n1[Lanes], n2[Lanes];
  for (size_t l = 0; l < Lanes; ++l) {
    n1[l] = LoadLE32(in + 8 * l);
    n2[l] = LoadLE32(in + 8 * l + 4);
  }
  ThirtyTwoRounds<Decrypting>(key, n1, n2);
  for (size_t l = 0; l < Lanes; ++l) {
    StoreLE32(out + 8 * l, n2[l]);
    StoreLE32(out + 8 * l + 4, n1[l]);
  }
}

template <bool Decrypting>
void TransformBlocks(const uint32_t* key, const uint8_t* in, uint8_t* out, size_t blocks) {
  for (; blocks >= kLanes; blocks -= kLanes, in += 8 * kLanes, out += 8 * kLanes) {
    Transform<Decrypting, kLanes>(key, in, out);
  }
  for (; blocks > 0; --blocks, in += 8, out += 8) Transform<Decrypting, 1>(key, in, out);
}

}  // namespace

void TGostCore::SetKey(const uint8_t* key, int32_t /*bits: the whole 32-byte buffer is the key*/) {
  for (int i = 0; i < 8; ++i) key_[i] = LoadLE32(key + 4 * i);
}

void TGostCore::Wipe() { SecureFill(key_, 0xFF); }

void TGostCore::Encrypt(const uint8_t* in, uint8_t* out, size_t blocks) const {
  TransformBlocks<false>(key_, in, out, blocks);
}

void TGostCore::Decrypt(const uint8_t* in, uint8_t* out, size_t blocks) const {
  TransformBlocks<true>(key_, in, out, blocks);
}

// CBC encryption is one chain of blocks; keeping the chaining value in registers is all there is to win.
void TGostCore::EncryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  uint32_t c1 = LoadLE32(chain), c2 = LoadLE32(chain + 4);
  for (; blocks > 0; --blocks, in += 8, out += 8) {
    uint32_t n1[1] = {c1 ^ LoadLE32(in)}, n2[1] = {c2 ^ LoadLE32(in + 4)};
    ThirtyTwoRounds<false>(key_, n1, n2);
    c1 = n2[0];
    c2 = n1[0];
    StoreLE32(out, c1);
    StoreLE32(out + 4, c2);
  }
  StoreLE32(chain, c1);
  StoreLE32(chain + 4, c2);
}

}  // namespace zk
