// The SHA-1 compression function shared by TZK_sha1 and TSecHash.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zk {

inline constexpr uint32_t kSha1Initial[5] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476, 0xc3d2e1f0};

// Runs `blocks` 64-byte blocks through the compression function, updating state[0..4] (H0..H4).
using Sha1CompressFunction = void (*)(uint32_t* state, const uint8_t* data, size_t blocks);

// The CPU's SHA instructions when present and allowed (CpuFeatures.h), else the portable code.
Sha1CompressFunction Sha1Compressor();

void Sha1CompressPortable(uint32_t* state, const uint8_t* data, size_t blocks);

}  // namespace zk
