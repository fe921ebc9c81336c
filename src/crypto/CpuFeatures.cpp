#include "CpuFeatures.h"

#include <atomic>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace zk::cpu {
namespace {

std::atomic<bool> hardwareAllowed{true};

struct Features {
  bool aes = false;
  bool sha = false;
};

Features Detect() {
  Features f;
#if defined(__x86_64__) || defined(__i386__)
  unsigned a, b, c, d;
  if (!__get_cpuid(1, &a, &b, &c, &d)) return f;
  const bool ssse3 = c & (1u << 9), sse41 = c & (1u << 19), aes = c & (1u << 25);
  f.aes = aes && sse41;
  if (__get_cpuid_count(7, 0, &a, &b, &c, &d)) f.sha = (b & (1u << 29)) && ssse3 && sse41;
#endif
  return f;
}

const Features& Detected() {
  static const Features features = Detect();
  return features;
}

}  // namespace

bool HasAesNi() { return Detected().aes; }
bool HasShaNi() { return Detected().sha; }
void SetHardwareAllowed(bool allowed) { hardwareAllowed = allowed; }
bool HardwareAllowed() { return hardwareAllowed; }

}  // namespace zk::cpu
