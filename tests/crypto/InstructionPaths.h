// The instruction paths of the crypto code, each forced alone through the CPU-feature switch, so that a
// machine runs every path it can and a machine without AVX-512 still tests AVX2 and the portable code.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "crypto/CpuFeatures.h"

namespace zk::test {

struct InstructionPath {
  const char* name;
  uint32_t features;  // all of them needed, nothing else allowed
};

inline constexpr InstructionPath kPortable{"Portable", 0};
inline constexpr InstructionPath kAesNiPath{"AesNi", cpu::kAesNi};
inline constexpr InstructionPath kVaesPath{"Vaes", cpu::kAesNi | cpu::kVaes};
inline constexpr InstructionPath kShaNiPath{"ShaNi", cpu::kShaNi};
inline constexpr InstructionPath kAvx2Path{"Avx2", cpu::kAvx2};
inline constexpr InstructionPath kAvx512Path{"Avx512", cpu::kAvx512};
inline constexpr InstructionPath kEveryPath{"Everything", cpu::kAllFeatures};

inline bool Available(const InstructionPath& path) {
  if (path.features == cpu::kAllFeatures) return true;  // whatever this CPU has
  for (const cpu::TCpuFeature f : {cpu::kAesNi, cpu::kShaNi, cpu::kAvx2, cpu::kAvx512, cpu::kVaes}) {
    if ((path.features & f) && !cpu::Has(f)) return false;
  }
  return true;
}

inline void PrintTo(const InstructionPath& path, std::ostream* os) { *os << path.name; }

inline std::string PathName(const testing::TestParamInfo<InstructionPath>& info) { return info.param.name; }

// A fixture that runs each test with its path alone allowed, and allows everything again after it.
class OnInstructionPath : public testing::TestWithParam<InstructionPath> {
 protected:
  void SetUp() override {
    if (!Available(GetParam())) GTEST_SKIP() << "this CPU lacks the instructions of the path";
    cpu::SetAllowedFeatures(GetParam().features);
  }
  void TearDown() override { cpu::SetAllowedFeatures(cpu::kAllFeatures); }
};

}  // namespace zk::test
