// Twofish CBC decryption over groups of blocks spread across the 32-bit lanes of vector registers, written
// once for every register width. Included by the files of each instruction set after they define
// ZK_LANES_TARGET, the target attribute of their functions.
//
// A lane set V provides:
//   Reg, kBlocks                   a register and the blocks of a group (four registers' worth)
//   Load, Store, Xor, Add, Broadcast(word), Rotl<n>, Rotr<n>
//   Transpose(Reg (&)[4])          four registers of whole blocks <-> one register per word of the blocks;
//                                  its own inverse
//   BroadcastBlock(p), StoreBlock(p, r)     the chaining value in every block slot, and back to memory
//   Previous(chain, first)         the blocks before those of `first`: the chaining value, then first's
//   G(x)                           the round function g on every lane
#pragma once

#include <cstddef>
#include <cstdint>

namespace zk::twofish {

// One decryption round: the halves (p, q) go through g, and (u, v) take the result with `key`'s two
// subkeys. F1 = T0 + 2·T1 + K1 is taken as F0 + T1 + (K1 - K0): one addition fewer.
template <class V, class Reg = typename V::Reg>
[[gnu::always_inline]] ZK_LANES_TARGET inline void DecryptRound(const V& lanes, Reg& u, Reg& v, Reg p, Reg q,
                                                                const uint32_t* key) {
  const Reg t0 = lanes.G(p), t1 = lanes.G(V::template Rotl<8>(q));
  const Reg f0 = V::Add(V::Add(t0, t1), V::Broadcast(key[0]));
  const Reg f1 = V::Add(V::Add(f0, t1), V::Broadcast(key[1] - key[0]));
  u = V::Xor(V::template Rotl<1>(u), f0);
  v = V::template Rotr<1>(V::Xor(v, f1));
}

// Whitening, sixteen rounds in pairs (the halves never swap) and output whitening, on every lane.
template <class V>
[[gnu::always_inline]] ZK_LANES_TARGET inline void DecryptLanes(const V& lanes, const uint32_t* k,
                                                                typename V::Reg (&x)[4]) {
  using Reg = typename V::Reg;
  Reg c = V::Xor(x[0], V::Broadcast(k[4])), d = V::Xor(x[1], V::Broadcast(k[5]));
  Reg a = V::Xor(x[2], V::Broadcast(k[6])), b = V::Xor(x[3], V::Broadcast(k[7]));
#pragma GCC unroll 8
  for (int r = 7; r >= 0; --r) {
    const uint32_t* key = k + 8 + 4 * r;
    DecryptRound(lanes, a, b, c, d, key + 2);
    DecryptRound(lanes, c, d, a, b, key);
  }
  x[0] = V::Xor(a, V::Broadcast(k[0]));
  x[1] = V::Xor(b, V::Broadcast(k[1]));
  x[2] = V::Xor(c, V::Broadcast(k[2]));
  x[3] = V::Xor(d, V::Broadcast(k[3]));
}

// `groups` groups of V::kBlocks blocks, continuing from the chaining value `chain`. All ciphertext of a
// group is read before any of its plaintext is written, so in place (in == out) is safe.
template <class V>
[[gnu::always_inline]] ZK_LANES_TARGET inline void DecryptCbcGroups(const V& lanes, const uint32_t* k,
                                                                    const uint8_t* in, uint8_t* out,
                                                                    size_t groups, uint8_t* chain) {
  using Reg = typename V::Reg;
  constexpr size_t kRegBytes = V::kBlocks * 16 / 4;
  Reg chainBlock = V::BroadcastBlock(chain);
  for (; groups > 0; --groups, in += 4 * kRegBytes, out += 4 * kRegBytes) {
    // The subkeys are read anew in every group, as broadcast operands: held in registers across groups,
    // forty of them would push the tables out of the registers and onto the stack.
    asm("" : "+r"(k));
    Reg x[4];
    for (size_t j = 0; j < 4; ++j) x[j] = V::Load(in + j * kRegBytes);
    V::Transpose(x);
    DecryptLanes(lanes, k, x);
    V::Transpose(x);
    x[0] = V::Xor(x[0], V::Previous(chainBlock, V::Load(in)));
    for (size_t j = 1; j < 4; ++j) x[j] = V::Xor(x[j], V::Load(in + j * kRegBytes - 16));
    chainBlock = V::BroadcastBlock(in + 4 * kRegBytes - 16);
    for (size_t j = 0; j < 4; ++j) V::Store(out + j * kRegBytes, x[j]);
  }
  V::StoreBlock(chain, chainBlock);
}

}  // namespace zk::twofish
