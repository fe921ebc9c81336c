// The AES instruction path of RijndaelCore. Only the functions below are compiled for AES-NI (by their
// target attribute), so the program still starts on a CPU without it; RijndaelCore calls them only when
// the CPU has the instructions.
#include <immintrin.h>

#include "Rijndael.h"

#define ZK_AESNI __attribute__((target("aes,sse4.1")))

namespace zk {
namespace {

constexpr int kBlockBytes = RijndaelCore::kBlockBytes;
// Blocks decrypted side by side: AESDEC has a latency of several cycles but issues every cycle or two.
constexpr size_t kLanes = 8;

ZK_AESNI inline __m128i LoadBlock(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
ZK_AESNI inline void StoreBlock(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }

// Round keys in the order the instructions take them: the encryption rows 0..Rounds, or the decryption
// rows Rounds..0.
template <int Rounds>
struct RoundKeys {
  __m128i k[Rounds + 1];
};

template <int Rounds>
ZK_AESNI inline RoundKeys<Rounds> LoadKeys(const uint32_t* rows, bool reversed) {
  RoundKeys<Rounds> keys;
  for (int r = 0; r <= Rounds; ++r) keys.k[r] = LoadBlock(rows + 4 * (reversed ? Rounds - r : r));
  return keys;
}

// Each block's encryption needs the previous ciphertext, so CBC encryption is one dependency chain: the
// chaining value stays in a register and the round keys are loaded once per run.
template <int Rounds>
ZK_AESNI void EncryptCbcWith(const uint32_t* rows, const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) {
  const RoundKeys<Rounds> keys = LoadKeys<Rounds>(rows, false);
  __m128i c = LoadBlock(chain);
  for (size_t i = 0; i < blocks; ++i) {
    c = _mm_xor_si128(c, _mm_xor_si128(LoadBlock(in + i * kBlockBytes), keys.k[0]));
#pragma GCC unroll 14
    for (int r = 1; r < Rounds; ++r) c = _mm_aesenc_si128(c, keys.k[r]);
    c = _mm_aesenclast_si128(c, keys.k[Rounds]);
    StoreBlock(out + i * kBlockBytes, c);
  }
  StoreBlock(chain, c);
}

template <int Rounds, size_t Lanes>
ZK_AESNI inline void DecryptLanes(const RoundKeys<Rounds>& keys, __m128i (&s)[Lanes]) {
  for (size_t l = 0; l < Lanes; ++l) s[l] = _mm_xor_si128(s[l], keys.k[0]);
#pragma GCC unroll 14
  for (int r = 1; r < Rounds; ++r) {
    for (size_t l = 0; l < Lanes; ++l) s[l] = _mm_aesdec_si128(s[l], keys.k[r]);
  }
  for (size_t l = 0; l < Lanes; ++l) s[l] = _mm_aesdeclast_si128(s[l], keys.k[Rounds]);
}

// CBC decryption has no chain between the block decryptions, so kLanes blocks run side by side. All
// ciphertext of a group is read before any plaintext is written, which makes in-place work safe.
template <int Rounds>
ZK_AESNI void DecryptCbcWith(const uint32_t* rows, const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) {
  const RoundKeys<Rounds> keys = LoadKeys<Rounds>(rows, true);
  __m128i previous = LoadBlock(chain);
  for (; blocks >= kLanes; blocks -= kLanes, in += kLanes * kBlockBytes, out += kLanes * kBlockBytes) {
    __m128i c[kLanes], s[kLanes];
    for (size_t l = 0; l < kLanes; ++l) s[l] = c[l] = LoadBlock(in + l * kBlockBytes);
    DecryptLanes(keys, s);
    StoreBlock(out, _mm_xor_si128(s[0], previous));
    for (size_t l = 1; l < kLanes; ++l) StoreBlock(out + l * kBlockBytes, _mm_xor_si128(s[l], c[l - 1]));
    previous = c[kLanes - 1];
  }
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) {
    const __m128i c = LoadBlock(in);
    __m128i s[1] = {c};
    DecryptLanes(keys, s);
    StoreBlock(out, _mm_xor_si128(s[0], previous));
    previous = c;
  }
  StoreBlock(chain, previous);
}

using CbcFunction = void (*)(const uint32_t* rows, const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain);

CbcFunction EncryptCbcFor(int rounds) {
  return rounds == 10 ? EncryptCbcWith<10> : rounds == 12 ? EncryptCbcWith<12> : EncryptCbcWith<14>;
}

CbcFunction DecryptCbcFor(int rounds) {
  return rounds == 10 ? DecryptCbcWith<10> : rounds == 12 ? DecryptCbcWith<12> : DecryptCbcWith<14>;
}

}  // namespace

// Single blocks (the IV, CBC tails, CFB8) and ECB: the round count is read at run time.
ZK_AESNI void RijndaelCore::EncryptAesNi(const uint8_t* in, uint8_t* out, size_t blocks) const {
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) {
    __m128i s = _mm_xor_si128(LoadBlock(in), LoadBlock(encryptKeys_));
    for (int r = 1; r < rounds_; ++r) s = _mm_aesenc_si128(s, LoadBlock(encryptKeys_ + 4 * r));
    StoreBlock(out, _mm_aesenclast_si128(s, LoadBlock(encryptKeys_ + 4 * rounds_)));
  }
}

ZK_AESNI void RijndaelCore::DecryptAesNi(const uint8_t* in, uint8_t* out, size_t blocks) const {
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) {
    __m128i s = _mm_xor_si128(LoadBlock(in), LoadBlock(decryptKeys_ + 4 * rounds_));
    for (int r = rounds_ - 1; r > 0; --r) s = _mm_aesdec_si128(s, LoadBlock(decryptKeys_ + 4 * r));
    StoreBlock(out, _mm_aesdeclast_si128(s, LoadBlock(decryptKeys_)));
  }
}

void RijndaelCore::EncryptCbcAesNi(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  EncryptCbcFor(rounds_)(encryptKeys_, in, out, blocks, chain);
}

void RijndaelCore::DecryptCbcAesNi(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  DecryptCbcFor(rounds_)(decryptKeys_, in, out, blocks, chain);
}

}  // namespace zk
