// Run-time choice between the portable code and the CPU's vector, AES and SHA instructions.
#pragma once

#include <cstdint>

namespace zk::cpu {

// The instruction sets a path may be built on. Each is reported only when the operating system also saves
// the registers it uses.
enum TCpuFeature : uint32_t {
  kAesNi = 1u << 0,   // AES-NI with SSE4.1
  kShaNi = 1u << 1,   // SHA extensions with SSSE3 and SSE4.1
  kAvx2 = 1u << 2,    // AVX2
  kAvx512 = 1u << 3,  // AVX-512 F, BW and VBMI with GFNI (byte permutes across a whole register)
  kVaes = 1u << 4,    // VAES on 512-bit registers (AVX-512 F)
};
inline constexpr uint32_t kAllFeatures = kAesNi | kShaNi | kAvx2 | kAvx512 | kVaes;

bool Has(TCpuFeature feature);
bool HasAesNi();
bool HasShaNi();

// Tests and benchmarks switch instruction paths off to run the other paths on the same machine: only the
// features in `features` may be used. Rijndael decides when it is keyed, a hash when it starts and
// Twofish's CBC decryption at each call, so the switch acts from the next Init or call on.
void SetAllowedFeatures(uint32_t features);
uint32_t AllowedFeatures();
// All features, or none: the portable code alone.
void SetHardwareAllowed(bool allowed);
bool HardwareAllowed();

inline bool Use(TCpuFeature feature) { return (AllowedFeatures() & feature) != 0 && Has(feature); }
inline bool UseAesNi() { return Use(kAesNi); }
inline bool UseShaNi() { return Use(kShaNi); }

}  // namespace zk::cpu
