#include "CpuFeatures.h"

#include <atomic>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace zk::cpu {
namespace {

std::atomic<uint32_t> allowedFeatures{kAllFeatures};

#if defined(__x86_64__) || defined(__i386__)
constexpr bool Bit(unsigned word, int bit) { return (word >> bit) & 1; }

// The register state the operating system saves on a context switch (XCR0), read only when it offers it.
uint64_t SavedState(bool osxsave) {
  if (!osxsave) return 0;
  uint32_t low, high;
  asm("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
  return uint64_t{high} << 32 | low;
}
#endif

uint32_t Detect() {
  uint32_t features = 0;
#if defined(__x86_64__) || defined(__i386__)
  unsigned a, b, c, d;
  if (!__get_cpuid(1, &a, &b, &c, &d)) return 0;
  const bool ssse3 = Bit(c, 9), sse41 = Bit(c, 19), aes = Bit(c, 25), osxsave = Bit(c, 27), avx = Bit(c, 28);
  if (aes && sse41) features |= kAesNi;
  const uint64_t saved = SavedState(osxsave);
  const bool ymmSaved = (saved & 0x06) == 0x06;  // SSE and AVX state
  const bool zmmSaved = (saved & 0xE6) == 0xE6;  // and the opmask and upper ZMM state
  if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return features;
  if (Bit(b, 29) && ssse3 && sse41) features |= kShaNi;
  const bool avx2 = avx && ymmSaved && Bit(b, 5);
  if (avx2) features |= kAvx2;
  const bool avx512f = avx2 && zmmSaved && Bit(b, 16);
  const bool avx512bw = Bit(b, 30), avx512vbmi = Bit(c, 1), gfni = Bit(c, 8), vaes = Bit(c, 9);
  if (avx512f && avx512bw && avx512vbmi && gfni) features |= kAvx512;
  if (avx512f && vaes && aes) features |= kVaes;
#endif
  return features;
}

uint32_t Detected() {
  static const uint32_t features = Detect();
  return features;
}

}  // namespace

bool Has(TCpuFeature feature) { return (Detected() & feature) != 0; }
bool HasAesNi() { return Has(kAesNi); }
bool HasShaNi() { return Has(kShaNi); }
void SetAllowedFeatures(uint32_t features) { allowedFeatures = features; }
uint32_t AllowedFeatures() { return allowedFeatures; }
void SetHardwareAllowed(bool allowed) { SetAllowedFeatures(allowed ? kAllFeatures : 0); }
bool HardwareAllowed() { return AllowedFeatures() != 0; }

}  // namespace zk::cpu
