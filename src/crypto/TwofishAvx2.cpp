// Twofish CBC decryption of 8 blocks at a time in AVX2 registers, the key-dependent tables read by gathers.
// Only the functions below are compiled for AVX2 (by their target attribute); TTwofishCore calls them only
// when the CPU has it.
#include "Twofish.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#define ZK_LANES_TARGET __attribute__((target("avx2")))
#include "TwofishLanes.h"

namespace zk {
namespace {

struct TAvx2Lanes {
  using Reg = __m256i;
  static constexpr size_t kBlocks = 8;

  const uint32_t (*sboxes)[256];

  ZK_LANES_TARGET static Reg Load(const uint8_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const Reg*>(p));
  }
  ZK_LANES_TARGET static void Store(uint8_t* p, Reg x) { _mm256_storeu_si256(reinterpret_cast<Reg*>(p), x); }
  ZK_LANES_TARGET static Reg Xor(Reg x, Reg y) { return _mm256_xor_si256(x, y); }
  ZK_LANES_TARGET static Reg Add(Reg x, Reg y) { return _mm256_add_epi32(x, y); }
  ZK_LANES_TARGET static Reg Broadcast(uint32_t w) { return _mm256_set1_epi32(static_cast<int>(w)); }
  template <int N>
  ZK_LANES_TARGET static Reg Rotl(Reg x) {
    return _mm256_or_si256(_mm256_slli_epi32(x, N), _mm256_srli_epi32(x, 32 - N));
  }
  template <int N>
  ZK_LANES_TARGET static Reg Rotr(Reg x) {
    return Rotl<32 - N>(x);
  }

  // Within each 128-bit half: register j's half h holds word j of blocks h, h + 2, h + 4, h + 6.
  ZK_LANES_TARGET static void Transpose(Reg (&r)[4]) {
    const Reg t0 = _mm256_unpacklo_epi32(r[0], r[1]), t1 = _mm256_unpackhi_epi32(r[0], r[1]);
    const Reg t2 = _mm256_unpacklo_epi32(r[2], r[3]), t3 = _mm256_unpackhi_epi32(r[2], r[3]);
    r[0] = _mm256_unpacklo_epi64(t0, t2);
    r[1] = _mm256_unpackhi_epi64(t0, t2);
    r[2] = _mm256_unpacklo_epi64(t1, t3);
    r[3] = _mm256_unpackhi_epi64(t1, t3);
  }

  ZK_LANES_TARGET static Reg BroadcastBlock(const uint8_t* p) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
  }
  ZK_LANES_TARGET static void StoreBlock(uint8_t* p, Reg x) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(x));
  }
  ZK_LANES_TARGET static Reg Previous(Reg chain, Reg first) {
    return _mm256_permute2x128_si256(chain, first, 0x21);
  }

  ZK_LANES_TARGET Reg Lookup(int table, Reg index) const {
    return _mm256_i32gather_epi32(reinterpret_cast<const int*>(sboxes[table]), index, 4);
  }
  ZK_LANES_TARGET Reg G(Reg x) const {
    const Reg byte = _mm256_set1_epi32(0xFF);
    const Reg t0 = Lookup(0, _mm256_and_si256(x, byte));
    const Reg t1 = Lookup(1, _mm256_and_si256(_mm256_srli_epi32(x, 8), byte));
    const Reg t2 = Lookup(2, _mm256_and_si256(_mm256_srli_epi32(x, 16), byte));
    const Reg t3 = Lookup(3, _mm256_srli_epi32(x, 24));
    return Xor(Xor(t0, t1), Xor(t2, t3));
  }
};

}  // namespace

ZK_LANES_TARGET size_t TTwofishCore::DecryptCbcAvx2(const uint8_t* in, uint8_t* out, size_t blocks,
                                                    uint8_t* chain) const {
  const TAvx2Lanes lanes{sboxes_};
  twofish::DecryptCbcGroups(lanes, subkeys_, in, out, blocks / TAvx2Lanes::kBlocks, chain);
  return blocks / TAvx2Lanes::kBlocks * TAvx2Lanes::kBlocks;
}

}  // namespace zk

#else

namespace zk {

// Never chosen where the CPU has no AVX2; kept so that the core links everywhere.
size_t TTwofishCore::DecryptCbcAvx2(const uint8_t*, uint8_t*, size_t, uint8_t*) const { return 0; }

}  // namespace zk

#endif
