// The AES instruction path of TRijndaelCore. Only the functions below are compiled for AES-NI (by their
// target attribute), so the program still starts on a CPU without it; TRijndaelCore calls them only when
// the CPU has the instructions.
#include "Rijndael.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#define ZK_AESNI __attribute__((target("aes,sse4.1")))

namespace zk {
namespace {

constexpr int kBlockBytes = TRijndaelCore::kBlockBytes;
// Blocks decrypted side by side: AESDEC has a latency of several cycles but issues every cycle or two.
constexpr size_t kLanes = 8;

ZK_AESNI inline __m128i LoadBlock(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
ZK_AESNI inline void StoreBlock(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }

// Round key row r of the encryption keys, or row Rounds - r of the decryption keys: the order in which
// the instructions take them. The keys are read from the cipher object on every use (from the L1 cache,
// off the dependency chains) rather than copied, so that no copy of them is left on the stack.
template <int Rounds, bool Reversed>
struct TRoundKeys {
  const uint32_t* rows;
  ZK_AESNI __m128i operator[](int r) const { return LoadBlock(rows + 4 * (Reversed ? Rounds - r : r)); }
};

// Each block's encryption needs the previous ciphertext, so CBC encryption is one dependency chain, with
// the chaining value kept in a register across the whole run. AESENCLAST ends with the
// XOR of its key, so the next plaintext block and the first round key are folded into the last round key;
// the XOR that starts the next block then costs nothing on the chain.
template <int Rounds>
ZK_AESNI void EncryptCbcWith(const uint32_t* rows, const uint8_t* in, uint8_t* out, size_t blocks,
                             uint8_t* chain) {
  if (blocks == 0) return;
  const TRoundKeys<Rounds, false> keys{rows};
  __m128i x = _mm_xor_si128(LoadBlock(chain), _mm_xor_si128(LoadBlock(in), keys[0]));
  for (size_t i = 0;; ++i) {
#pragma GCC unroll 14
    for (int r = 1; r < Rounds; ++r) x = _mm_aesenc_si128(x, keys[r]);
    if (i + 1 == blocks) {
      const __m128i c = _mm_aesenclast_si128(x, keys[Rounds]);
      StoreBlock(out + i * kBlockBytes, c);
      StoreBlock(chain, c);
      return;
    }
    const __m128i next = _mm_xor_si128(LoadBlock(in + (i + 1) * kBlockBytes), keys[0]);
    x = _mm_aesenclast_si128(x, _mm_xor_si128(keys[Rounds], next));
    StoreBlock(out + i * kBlockBytes, _mm_xor_si128(x, next));
  }
}

template <int Rounds, size_t Lanes>
ZK_AESNI inline void DecryptLanes(const TRoundKeys<Rounds, true>& keys, __m128i (&s)[Lanes]) {
#pragma GCC unroll 8
  for (size_t l = 0; l < Lanes; ++l) s[l] = _mm_xor_si128(s[l], keys[0]);
#pragma GCC unroll 14
  for (int r = 1; r < Rounds; ++r) {
#pragma GCC unroll 8
    for (size_t l = 0; l < Lanes; ++l) s[l] = _mm_aesdec_si128(s[l], keys[r]);
  }
#pragma GCC unroll 8
  for (size_t l = 0; l < Lanes; ++l) s[l] = _mm_aesdeclast_si128(s[l], keys[Rounds]);
}

// CBC decryption has no chain between the block decryptions, so kLanes blocks run side by side. All
// ciphertext of a group is read before any plaintext is written, which makes in-place work safe.
template <int Rounds>
ZK_AESNI void DecryptCbcWith(const uint32_t* rows, const uint8_t* in, uint8_t* out, size_t blocks,
                             uint8_t* chain) {
  const TRoundKeys<Rounds, true> keys{rows};
  __m128i previous = LoadBlock(chain);
  for (; blocks >= kLanes; blocks -= kLanes, in += kLanes * kBlockBytes, out += kLanes * kBlockBytes) {
    __m128i c[kLanes], s[kLanes];
#pragma GCC unroll 8
    for (size_t l = 0; l < kLanes; ++l) s[l] = c[l] = LoadBlock(in + l * kBlockBytes);
    DecryptLanes(keys, s);
    StoreBlock(out, _mm_xor_si128(s[0], previous));
#pragma GCC unroll 8
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

using CbcFunction = void (*)(const uint32_t* rows, const uint8_t* in, uint8_t* out, size_t blocks,
                             uint8_t* chain);

CbcFunction EncryptCbcFor(int rounds) {
  return rounds == 10 ? EncryptCbcWith<10> : rounds == 12 ? EncryptCbcWith<12> : EncryptCbcWith<14>;
}

CbcFunction DecryptCbcFor(int rounds) {
  return rounds == 10 ? DecryptCbcWith<10> : rounds == 12 ? DecryptCbcWith<12> : DecryptCbcWith<14>;
}

}  // namespace

// Single blocks (the IV, CBC tails, CFB8) and ECB: the round count is read at run time.
ZK_AESNI void TRijndaelCore::EncryptAesNi(const uint8_t* in, uint8_t* out, size_t blocks) const {
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) {
    __m128i s = _mm_xor_si128(LoadBlock(in), LoadBlock(encryptKeys_));
    for (int r = 1; r < rounds_; ++r) s = _mm_aesenc_si128(s, LoadBlock(encryptKeys_ + 4 * r));
    StoreBlock(out, _mm_aesenclast_si128(s, LoadBlock(encryptKeys_ + 4 * rounds_)));
  }
}

ZK_AESNI void TRijndaelCore::DecryptAesNi(const uint8_t* in, uint8_t* out, size_t blocks) const {
  for (; blocks > 0; --blocks, in += kBlockBytes, out += kBlockBytes) {
    __m128i s = _mm_xor_si128(LoadBlock(in), LoadBlock(decryptKeys_ + 4 * rounds_));
    for (int r = rounds_ - 1; r > 0; --r) s = _mm_aesdec_si128(s, LoadBlock(decryptKeys_ + 4 * r));
    StoreBlock(out, _mm_aesdeclast_si128(s, LoadBlock(decryptKeys_)));
  }
}

void TRijndaelCore::EncryptCbcAesNi(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  EncryptCbcFor(rounds_)(encryptKeys_, in, out, blocks, chain);
}

void TRijndaelCore::DecryptCbcAesNi(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  DecryptCbcFor(rounds_)(decryptKeys_, in, out, blocks, chain);
}

}  // namespace zk

#else

namespace zk {

// Never chosen where the CPU has no AES instructions; kept so that the core links everywhere.
void TRijndaelCore::EncryptAesNi(const uint8_t* in, uint8_t* out, size_t blocks) const {
  EncryptPortable(in, out, blocks);
}
void TRijndaelCore::DecryptAesNi(const uint8_t* in, uint8_t* out, size_t blocks) const {
  DecryptPortable(in, out, blocks);
}
void TRijndaelCore::EncryptCbcAesNi(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  EncryptCbcPortable(in, out, blocks, chain);
}
void TRijndaelCore::DecryptCbcAesNi(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  DecryptCbcPortable(in, out, blocks, chain);
}

}  // namespace zk

#endif
