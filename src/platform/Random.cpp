#include "platform/Random.h"

#include <chrono>

namespace zk {

std::mt19937& RandomGenerator() {
  static std::mt19937 generator(static_cast<std::mt19937::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}()));
  return generator;
}

int RandomBelow(int n) {
  if (n <= 1) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(RandomGenerator());
}

}  // namespace zk
