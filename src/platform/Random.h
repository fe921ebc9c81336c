// The process-wide pseudo-random generator, seeded once.
#pragma once

#include <random>

namespace zk {

std::mt19937& RandomGenerator();
// Uniform in 0..n-1; 0 when n <= 1.
int RandomBelow(int n);

}  // namespace zk
