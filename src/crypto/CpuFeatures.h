// Run-time choice between the portable code and the CPU's AES and SHA instructions.
#pragma once

namespace zk::cpu {

bool HasAesNi();
bool HasShaNi();

// Tests and benchmarks switch the instruction paths off to run the portable code on the same machine.
// A cipher decides when it is keyed and a hash when it starts, so the switch acts from the next Init on.
void SetHardwareAllowed(bool allowed);
bool HardwareAllowed();

inline bool UseAesNi() { return HardwareAllowed() && HasAesNi(); }
inline bool UseShaNi() { return HardwareAllowed() && HasShaNi(); }

}  // namespace zk::cpu
