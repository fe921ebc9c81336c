// The size of the engine's one I/O buffer: large enough for fast reads and writes, a whole number of
// 8192-byte payload runs and of 2048-byte wipe blocks.
#pragma once

#include <cstddef>

namespace zk {

inline constexpr size_t kEngineBufferBytes = 256 * 1024;

}  // namespace zk
