#include "Progress.h"

#include <cmath>

#include "ResultTexts.h"

namespace zk {

int64_t ProgressPercent(const TProgress& progress) {
  const long double ratio =
      static_cast<long double>(progress.Done) / static_cast<long double>(progress.Total);
  return static_cast<int64_t>(std::nearbyintl(ratio * 100.0L));
}

std::string ByteSizeText(int64_t bytes) {
  static constexpr const char* kUnits[] = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
  if (bytes < 1024) return std::to_string(bytes) + " B";
  int unit = 0;
  int64_t scale = 1024;
  while (bytes / scale >= 1024) {
    scale *= 1024;
    ++unit;
  }
  // The rest is below 2^60, so ten times it fits 64 bits unsigned.
  const uint64_t tenths = static_cast<uint64_t>(bytes % scale) * 10 / static_cast<uint64_t>(scale);
  return std::to_string(bytes / scale) + "." + std::to_string(tenths) + " " + kUnits[unit];
}

TText ProgressLine(const TProgress& progress) {
  std::string percent = std::to_string(ProgressPercent(progress));
  if (progress.Kind == TProgressKind::kWiping) return Sentence(kProgressWiping, {std::move(percent)});
  return Sentence(progress.Kind == TProgressKind::kEncrypting ? kProgressEncrypting : kProgressDecrypting,
                  {std::to_string(progress.Done), std::to_string(progress.Total), std::move(percent),
                   ByteSizeText(progress.Done), ByteSizeText(progress.Total)});
}

}  // namespace zk
