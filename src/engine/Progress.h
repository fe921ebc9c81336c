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

// 暗号化中：8192/20000バイト　41%   復号中：900/1000バイト　90%   不要データ抹消中：50%
TText ProgressLine(const TProgress& progress);

}  // namespace zk
