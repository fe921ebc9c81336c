#include "Progress.h"

#include <cmath>

#include "ResultTexts.h"

namespace zk {

int64_t ProgressPercent(const TProgress& progress) {
  const long double ratio =
      static_cast<long double>(progress.Done) / static_cast<long double>(progress.Total);
  return static_cast<int64_t>(std::nearbyintl(ratio * 100.0L));
}

TText ProgressLine(const TProgress& progress) {
  std::string percent = std::to_string(ProgressPercent(progress));
  if (progress.Kind == TProgressKind::kWiping) return Sentence(kProgressWiping, {std::move(percent)});
  return Sentence(progress.Kind == TProgressKind::kEncrypting ? kProgressEncrypting : kProgressDecrypting,
                  {std::to_string(progress.Done), std::to_string(progress.Total), std::move(percent)});
}

}  // namespace zk
