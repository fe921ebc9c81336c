#include "Sha1Compress.h"

#include <bit>

#include "Bytes.h"
#include "CpuFeatures.h"

namespace zk {

void Sha1CompressShaNi(uint32_t* state, const uint8_t* data, size_t blocks);  // Sha1ShaNi.cpp

Sha1CompressFunction Sha1Compressor() { return cpu::UseShaNi() ? Sha1CompressShaNi : Sha1CompressPortable; }

void Sha1CompressPortable(uint32_t* state, const uint8_t* data, size_t blocks) {
  uint32_t w[80];
  for (; blocks > 0; --blocks, data += 64) {
    for (int t = 0; t < 16; ++t) w[t] = LoadBE32(data + 4 * t);
    for (int t = 16; t < 80; ++t) w[t] = std::rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    auto step = [&](uint32_t f, uint32_t k, uint32_t wt) {
      const uint32_t t = std::rotl(a, 5) + f + e + k + wt;
      e = d;
      d = c;
      c = std::rotl(b, 30);
      b = a;
      a = t;
    };
    for (int t = 0; t < 20; ++t) step((b & c) | (~b & d), 0x5a827999, w[t]);
    for (int t = 20; t < 40; ++t) step(b ^ c ^ d, 0x6ed9eba1, w[t]);
    for (int t = 40; t < 60; ++t) step((b & c) | (b & d) | (c & d), 0x8f1bbcdc, w[t]);
    for (int t = 60; t < 80; ++t) step(b ^ c ^ d, 0xca62c1d6, w[t]);
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
  }
  SecureFill(w, 0);
}

}  // namespace zk
