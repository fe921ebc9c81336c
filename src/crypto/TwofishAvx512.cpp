// Twofish CBC decryption of 16 blocks at a time in AVX-512 registers. The key-dependent S-boxes are byte
// permutes (VPERMI2B) from the 1 KiB of byte tables held in 16 registers, so no lookup depends on memory
// addresses, and the MDS matrix is two GF(2^8) multiplications by constants (GF2P8AFFINEQB) and byte moves.
// Only the functions below are compiled for AVX-512 (by their target attribute); TTwofishCore calls them
// only when the CPU has it.
#include "Twofish.h"

#if defined(__x86_64__) || defined(__i386__)

// GCC 12 takes the intrinsics' own "undefined register" idiom for an uninitialised read.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <immintrin.h>

#include <array>

#include "TwofishTables.h"

#define ZK_LANES_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi,gfni")))
#include "TwofishLanes.h"

namespace zk {
namespace {

// Multiplication by c modulo the MDS polynomial as the bit matrix of GF2P8AFFINEQB: byte 7 - i of the
// matrix selects the bits of x whose parity is bit i of the product.
constexpr uint64_t MultiplyMatrix(uint8_t c) {
  uint64_t matrix = 0;
  for (int i = 0; i < 8; ++i) {
    uint64_t row = 0;
    for (int j = 0; j < 8; ++j) {
      row |= uint64_t{(twofish::GfMul(c, static_cast<uint8_t>(1u << j), twofish::kMdsPolynomial) >> i) & 1u}
             << j;
    }
    matrix |= row << (8 * (7 - i));
  }
  return matrix;
}

// Byte r of g's output, for the S-box outputs v0..v3 of a word, is the sum over the row r of the MDS
// matrix: one v times 01 and three times 5B or EF. With A = 5B·v and B = EF·v worked out for every byte,
// row r is one byte of v (kOnes, a shuffle within 128-bit lanes) and three bytes picked from A and B
// (kProducts, permutes over both registers: index bit 6 picks B).
struct TMdsIndexes {
  std::array<uint8_t, 64> ones{};
  std::array<std::array<uint8_t, 64>, 3> products{};
};

constexpr TMdsIndexes MakeMdsIndexes() {
  TMdsIndexes m;
  for (int at = 0; at < 64; ++at) {
    const int word = at / 4, row = at % 4;
    int product = 0;
    for (int column = 0; column < 4; ++column) {
      const uint8_t coefficient = twofish::kMdsMatrix[row][column];
      if (coefficient == 0x01) {
        m.ones[at] = static_cast<uint8_t>(4 * (word % 4) + column);
      } else {
        m.products[product++][at] = static_cast<uint8_t>(4 * word + column + (coefficient == 0xEF ? 64 : 0));
      }
    }
  }
  return m;
}

constexpr TMdsIndexes kMdsIndexes = MakeMdsIndexes();
constexpr uint64_t kTimes5B = MultiplyMatrix(0x5B), kTimesEF = MultiplyMatrix(0xEF);
// Byte p of every word.
constexpr __mmask64 kBytePosition[4] = {0x1111111111111111, 0x2222222222222222, 0x4444444444444444,
                                        0x8888888888888888};

struct TAvx512Lanes {
  using Reg = __m512i;
  static constexpr size_t kBlocks = 16;

  Reg sbox[4][4];  // S-box p's entries 64q .. 64q + 63 in sbox[p][q]

  ZK_LANES_TARGET static Reg Load(const void* p) { return _mm512_loadu_si512(p); }
  ZK_LANES_TARGET static void Store(uint8_t* p, Reg x) { _mm512_storeu_si512(p, x); }
  ZK_LANES_TARGET static Reg Xor(Reg x, Reg y) { return _mm512_xor_si512(x, y); }
  ZK_LANES_TARGET static Reg Add(Reg x, Reg y) { return _mm512_add_epi32(x, y); }
  ZK_LANES_TARGET static Reg Broadcast(uint32_t w) { return _mm512_set1_epi32(static_cast<int>(w)); }
  template <int N>
  ZK_LANES_TARGET static Reg Rotl(Reg x) {
    return _mm512_rol_epi32(x, N);
  }
  template <int N>
  ZK_LANES_TARGET static Reg Rotr(Reg x) {
    return _mm512_ror_epi32(x, N);
  }

  // Within each 128-bit quarter: register j's quarter q holds word j of blocks q, q + 4, q + 8, q + 12.
  ZK_LANES_TARGET static void Transpose(Reg (&r)[4]) {
    const Reg t0 = _mm512_unpacklo_epi32(r[0], r[1]), t1 = _mm512_unpackhi_epi32(r[0], r[1]);
    const Reg t2 = _mm512_unpacklo_epi32(r[2], r[3]), t3 = _mm512_unpackhi_epi32(r[2], r[3]);
    r[0] = _mm512_unpacklo_epi64(t0, t2);
    r[1] = _mm512_unpackhi_epi64(t0, t2);
    r[2] = _mm512_unpacklo_epi64(t1, t3);
    r[3] = _mm512_unpackhi_epi64(t1, t3);
  }

  ZK_LANES_TARGET static Reg BroadcastBlock(const uint8_t* p) {
    return _mm512_broadcast_i32x4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
  }
  ZK_LANES_TARGET static void StoreBlock(uint8_t* p, Reg x) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm512_castsi512_si128(x));
  }
  // The last block of `chain`, then the first three of `first`.
  ZK_LANES_TARGET static Reg Previous(Reg chain, Reg first) { return _mm512_alignr_epi64(first, chain, 6); }

  ZK_LANES_TARGET Reg G(Reg x) const {
    // Each byte through its position's S-box: a permute reads 128 entries, so every position takes one
    // for its low and one for its high half, and the top bit of the byte chooses.
    const __mmask64 high = _mm512_movepi8_mask(x);
    Reg s[4];
    for (int p = 0; p < 4; ++p) {
      const Reg low = _mm512_maskz_permutex2var_epi8(kBytePosition[p], sbox[p][0], x, sbox[p][1]);
      const Reg top = _mm512_maskz_permutex2var_epi8(kBytePosition[p], sbox[p][2], x, sbox[p][3]);
      s[p] = _mm512_mask_blend_epi8(high, low, top);
    }
    const Reg v = _mm512_or_si512(_mm512_ternarylogic_epi32(s[0], s[1], s[2], 0xFE), s[3]);
    // Then the MDS matrix.
    const Reg times5B = _mm512_gf2p8affine_epi64_epi8(v, _mm512_set1_epi64(kTimes5B), 0);
    const Reg timesEF = _mm512_gf2p8affine_epi64_epi8(v, _mm512_set1_epi64(kTimesEF), 0);
    const Reg ones = _mm512_shuffle_epi8(v, Load(kMdsIndexes.ones.data()));
    const Reg p0 = _mm512_permutex2var_epi8(times5B, Load(kMdsIndexes.products[0].data()), timesEF);
    const Reg p1 = _mm512_permutex2var_epi8(times5B, Load(kMdsIndexes.products[1].data()), timesEF);
    const Reg p2 = _mm512_permutex2var_epi8(times5B, Load(kMdsIndexes.products[2].data()), timesEF);
    return _mm512_xor_si512(_mm512_ternarylogic_epi32(ones, p0, p1, 0x96), p2);
  }
};

}  // namespace

ZK_LANES_TARGET size_t TTwofishCore::DecryptCbcAvx512(const uint8_t* in, uint8_t* out, size_t blocks,
                                                      uint8_t* chain) const {
  const size_t groups = blocks / TAvx512Lanes::kBlocks;
  if (groups == 0) return 0;
  TAvx512Lanes lanes;
  for (int p = 0; p < 4; ++p) {
    for (int q = 0; q < 4; ++q) lanes.sbox[p][q] = TAvx512Lanes::Load(sboxBytes_[p] + 64 * q);
  }
  twofish::DecryptCbcGroups(lanes, subkeys_, in, out, groups, chain);
  return groups * TAvx512Lanes::kBlocks;
}

}  // namespace zk

#else

namespace zk {

// Never chosen where the CPU has no AVX-512; kept so that the core links everywhere.
size_t TTwofishCore::DecryptCbcAvx512(const uint8_t*, uint8_t*, size_t, uint8_t*) const { return 0; }

}  // namespace zk

#endif
