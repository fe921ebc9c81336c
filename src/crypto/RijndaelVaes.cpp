// CBC decryption of TRijndaelCore with VAES: four blocks per instruction in 512-bit registers, eight
// registers in flight. Only the functions below are compiled for VAES (by their target attribute);
// TRijndaelCore calls them only when the CPU has it.
#include "Rijndael.h"

#if defined(__x86_64__) || defined(__i386__)

// GCC 12 takes the intrinsics' own "undefined register" idiom for an uninitialised read.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <immintrin.h>

#define ZK_VAES __attribute__((target("avx512f,vaes")))

namespace zk {
namespace {

constexpr size_t kBlocksPerRegister = 4;
constexpr size_t kRegisterBytes = kBlocksPerRegister * TRijndaelCore::kBlockBytes;
// AESDEC on a 512-bit register has a latency of several cycles and issues about every cycle.
constexpr size_t kRegistersInFlight = 8;

ZK_VAES inline __m512i BroadcastBlock(const void* p) {
  return _mm512_broadcast_i32x4(_mm_loadu_si128(static_cast<const __m128i*>(p)));
}

// Regs registers of blocks; `chain` holds the ciphertext block before them in every 128-bit slot and
// becomes their last. All ciphertext is read before any plaintext is written, so in place is safe.
// The round keys are broadcast from the cipher's rows in every group: held in registers across groups,
// they would be spilled to the stack beside the blocks in flight, and copies of them left there.
template <int Rounds, size_t Regs>
ZK_VAES inline void DecryptCbcGroup(const uint32_t* rows, const uint8_t* in, uint8_t* out, __m512i& chain) {
  asm("" : "+r"(rows));
  __m512i keys[Rounds + 1];  // in the order the instructions take them
#pragma GCC unroll 15
  for (int r = 0; r <= Rounds; ++r) keys[r] = BroadcastBlock(rows + 4 * (Rounds - r));
  __m512i s[Regs];
#pragma GCC unroll 8
  for (size_t l = 0; l < Regs; ++l)
    s[l] = _mm512_xor_si512(_mm512_loadu_si512(in + l * kRegisterBytes), keys[0]);
#pragma GCC unroll 14
  for (int r = 1; r < Rounds; ++r) {
#pragma GCC unroll 8
    for (size_t l = 0; l < Regs; ++l) s[l] = _mm512_aesdec_epi128(s[l], keys[r]);
  }
#pragma GCC unroll 8
  for (size_t l = 0; l < Regs; ++l) s[l] = _mm512_aesdeclast_epi128(s[l], keys[Rounds]);
  // Block i takes ciphertext block i - 1: for the first register the chaining value and its own first
  // three blocks, for the others the 64 bytes starting one block earlier.
  s[0] = _mm512_xor_si512(s[0], _mm512_alignr_epi64(_mm512_loadu_si512(in), chain, 6));
#pragma GCC unroll 8
  for (size_t l = 1; l < Regs; ++l) {
    s[l] = _mm512_xor_si512(s[l], _mm512_loadu_si512(in + l * kRegisterBytes - TRijndaelCore::kBlockBytes));
  }
  chain = BroadcastBlock(in + Regs * kRegisterBytes - TRijndaelCore::kBlockBytes);
#pragma GCC unroll 8
  for (size_t l = 0; l < Regs; ++l) _mm512_storeu_si512(out + l * kRegisterBytes, s[l]);
}

// Whole registers of blocks; returns how many blocks it decrypted.
template <int Rounds>
ZK_VAES size_t DecryptCbcWith(const uint32_t* rows, const uint8_t* in, uint8_t* out, size_t blocks,
                              uint8_t* chain) {
  __m512i previous = BroadcastBlock(chain);
  const size_t registers = blocks / kBlocksPerRegister;
  size_t done = 0;
  for (; done + kRegistersInFlight <= registers; done += kRegistersInFlight) {
    DecryptCbcGroup<Rounds, kRegistersInFlight>(rows, in + done * kRegisterBytes, out + done * kRegisterBytes,
                                                previous);
  }
  for (; done < registers; ++done) {
    DecryptCbcGroup<Rounds, 1>(rows, in + done * kRegisterBytes, out + done * kRegisterBytes, previous);
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(chain), _mm512_castsi512_si128(previous));
  return registers * kBlocksPerRegister;
}

}  // namespace

size_t TRijndaelCore::DecryptCbcVaes(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const {
  const auto decrypt = rounds_ == 10   ? DecryptCbcWith<10>
                       : rounds_ == 12 ? DecryptCbcWith<12>
                                       : DecryptCbcWith<14>;
  return decrypt(decryptKeys_, in, out, blocks, chain);
}

}  // namespace zk

#else

namespace zk {

// Never chosen where the CPU has no VAES; kept so that the core links everywhere.
size_t TRijndaelCore::DecryptCbcVaes(const uint8_t*, uint8_t*, size_t, uint8_t*) const { return 0; }

}  // namespace zk

#endif
