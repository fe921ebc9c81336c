#include "Sha1Compress.h"

namespace zk {

// Placeholder until the SHA instruction path lands: the portable code.
void Sha1CompressShaNi(uint32_t* state, const uint8_t* data, size_t blocks) { Sha1CompressPortable(state, data, blocks); }

}  // namespace zk
