#include "Progress.h"

#include <cmath>

#include "ResultTexts.h"

namespace zk {

int64_t ProgressPercent(const TProgress& progress) {
  const long double ratio =
      static_cast<long double>(progress.Done) / static_cast<long double>(progress.Total);
  return static_cast<int64_t>(std::nearbyintl(ratio * 100.0L));
}

std::string ProgressLine(const TProgress& progress, const TShownText& shown) {
  const std::string percent = std::to_string(ProgressPercent(progress)) + "%";
  if (progress.Kind == TProgressKind::kWiping) return Shown(shown, kProgressWiping) + percent;
  const std::string_view prefix =
      progress.Kind == TProgressKind::kEncrypting ? kProgressEncrypting : kProgressDecrypting;
  return Shown(shown, prefix) + std::to_string(progress.Done) + "/" + std::to_string(progress.Total) +
         Shown(shown, kProgressBytes) + percent;
}

}  // namespace zk
