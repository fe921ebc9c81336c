// SHA-1 compression with the CPU's SHA extensions. Only this file is compiled for them, function by
// function; Sha1Compressor() calls it only when the CPU reports them.
#include "Sha1Compress.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#define ZK_SHA_TARGET __attribute__((target("sha,sse4.1,ssse3")))
#define ZK_SHA_INLINE ZK_SHA_TARGET __attribute__((always_inline)) inline

namespace zk {
namespace {

// The vectors hold four schedule words each, the earliest in the top lane, which is where sha1rnds4
// expects the word of its first round; the five state words travel as ABCD (A on top) and E (on top).
struct TSha1Lanes {
  __m128i abcd;
  __m128i abcdAtGroupStart;  // A of the previous group gives the next group its E
  __m128i w[4];              // the schedule words of groups g-4 .. g-1, indexed by g mod 4
};

// Big-endian words of a 16-byte piece of the block, the first word in the top lane.
ZK_SHA_INLINE __m128i LoadWords(const uint8_t* p) {
  const __m128i reverseBytes = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), reverseBytes);
}

// Four rounds, group g of 20 (g > 0). From group 4 on, its words W[t] = rotl1(W[t-3] ^ W[t-8] ^ W[t-14] ^
// W[t-16]), t = 4g..4g+3, come from the four preceding groups; sha1nexte adds rotl30 of the previous
// group's A, this group's E, to the first word.
template <int Function>
ZK_SHA_INLINE void Group(TSha1Lanes& s, int g) {
  __m128i& w = s.w[g & 3];
  if (g >= 4) {
    const __m128i partial = _mm_xor_si128(_mm_sha1msg1_epu32(w, s.w[(g + 1) & 3]), s.w[(g + 2) & 3]);
    w = _mm_sha1msg2_epu32(partial, s.w[(g + 3) & 3]);
  }
  const __m128i wk = _mm_sha1nexte_epu32(s.abcdAtGroupStart, w);
  s.abcdAtGroupStart = s.abcd;
  s.abcd = _mm_sha1rnds4_epu32(s.abcd, wk, Function);
}

// Groups first..last, all of the same round function (0..3: rounds 0-19, 20-39, 40-59, 60-79).
template <int Function>
ZK_SHA_INLINE void Groups(TSha1Lanes& s, int first, int last) {
#pragma GCC unroll 5
  for (int g = first; g <= last; ++g) Group<Function>(s, g);
}

}  // namespace

ZK_SHA_TARGET void Sha1CompressShaNi(uint32_t* state, const uint8_t* data, size_t blocks) {
  __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0x1B);
  __m128i e = _mm_set_epi32(static_cast<int>(state[4]), 0, 0, 0);
  for (; blocks > 0; --blocks, data += 64) {
    TSha1Lanes s;
    s.abcd = abcd;
    for (int i = 0; i < 4; ++i) s.w[i] = LoadWords(data + 16 * i);
    // Group 0 takes E as it stands; every later group derives it from A four rounds back.
    s.abcdAtGroupStart = abcd;
    s.abcd = _mm_sha1rnds4_epu32(abcd, _mm_add_epi32(e, s.w[0]), 0);
    Groups<0>(s, 1, 4);
    Groups<1>(s, 5, 9);
    Groups<2>(s, 10, 14);
    Groups<3>(s, 15, 19);
    e = _mm_sha1nexte_epu32(s.abcdAtGroupStart, e);
    abcd = _mm_add_epi32(s.abcd, abcd);
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_shuffle_epi32(abcd, 0x1B));
  state[4] = static_cast<uint32_t>(_mm_extract_epi32(e, 3));
}

}  // namespace zk

#else

namespace zk {
// Never chosen where the CPU has no SHA extensions; kept so that the dispatcher links everywhere.
void Sha1CompressShaNi(uint32_t* state, const uint8_t* data, size_t blocks) {
  Sha1CompressPortable(state, data, blocks);
}
}  // namespace zk

#endif
