// The progress of one long file operation and the progress line that shows it.
#pragma once

#include <cstdint>
#include <string>

#include "ResultTexts.h"

namespace zk {

enum class TProgressKind { kEncrypting, kDecrypting, kWiping };

struct TProgress {
  TProgressKind Kind = TProgressKind::kEncrypting;
  int64_t Done = 0;   // bytes encrypted, decrypted or overwritten so far
  int64_t Total = 0;  // the file's size (for decryption the whole container, header included)
};

// Done / Total × 100, computed in that order in extended precision and rounded to nearest, halves to even.
int64_t ProgressPercent(const TProgress& progress);

// A size in binary units, cut (never rounded up) to one decimal: "0 B", "1023 B", "1.0 KiB", "438.9 MiB",
// "1.0 GiB". Cutting keeps a size short of the next unit in its own (1 GiB less a byte is "1023.9 MiB"), and
// the bytes done of a file from reading as its whole size before the last byte.
std::string ByteSizeText(int64_t bytes);

// 暗号化中：8192/20000バイト　41%   復号中：900/1000バイト　90%   不要データ抹消中：50%
// The values are the bytes done and the total (%1, %2), the percentage (%3) and both sizes as ByteSizeText
// gives them (%4, %5): a translation may show the sizes where the original counts bytes.
TText ProgressLine(const TProgress& progress);

}  // namespace zk
