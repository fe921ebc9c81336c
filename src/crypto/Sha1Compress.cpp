#include "Sha1Compress.h"

#include <bit>

#include "Bytes.h"
#include "CpuFeatures.h"

namespace zk {

void Sha1CompressShaNi(uint32_t* state, const uint8_t* data, size_t blocks);  // Sha1ShaNi.cpp

Sha1CompressFunction Sha1Compressor() { return cpu::UseShaNi() ? Sha1CompressShaNi : Sha1CompressPortable; }

namespace {

constexpr uint32_t Choose(uint32_t b, uint32_t c, uint32_t d) { return d ^ (b & (c ^ d)); }
constexpr uint32_t Parity(uint32_t b, uint32_t c, uint32_t d) { return b ^ c ^ d; }
constexpr uint32_t Majority(uint32_t b, uint32_t c, uint32_t d) { return (b & c) | (d & (b | c)); }

// One step; the callers rotate the roles of a..e instead of moving the values.
template <uint32_t (*F)(uint32_t, uint32_t, uint32_t), uint32_t K>
inline void Step(uint32_t a, uint32_t& b, uint32_t c, uint32_t d, uint32_t& e, uint32_t w) {
  e += std::rotl(a, 5) + F(b, c, d) + K + w;
  b = std::rotl(b, 30);
}

// Twenty steps of one group, five at a time; the message schedule is a ring of 16 words.
template <uint32_t (*F)(uint32_t, uint32_t, uint32_t), uint32_t K>
inline void Group(int first, uint32_t* w, uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, uint32_t& e) {
  auto word = [w](int t) {
    if (t >= 16) w[t & 15] = std::rotl(w[(t - 3) & 15] ^ w[(t - 8) & 15] ^ w[(t - 14) & 15] ^ w[t & 15], 1);
    return w[t & 15];
  };
  for (int t = first; t < first + 20; t += 5) {
    Step<F, K>(a, b, c, d, e, word(t));
    Step<F, K>(e, a, b, c, d, word(t + 1));
    Step<F, K>(d, e, a, b, c, word(t + 2));
    Step<F, K>(c, d, e, a, b, word(t + 3));
    Step<F, K>(b, c, d, e, a, word(t + 4));
  }
}

}  // namespace

void Sha1CompressPortable(uint32_t* state, const uint8_t* data, size_t blocks) {
  uint32_t w[16];
  for (; blocks > 0; --blocks, data += 64) {
    for (int t = 0; t < 16; ++t) w[t] = LoadBE32(data + 4 * t);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    Group<Choose, 0x5a827999>(0, w, a, b, c, d, e);
    Group<Parity, 0x6ed9eba1>(20, w, a, b, c, d, e);
    Group<Majority, 0x8f1bbcdc>(40, w, a, b, c, d, e);
    Group<Parity, 0xca62c1d6>(60, w, a, b, c, d, e);
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
  }
  SecureFill(w, 0);
}

}  // namespace zk
