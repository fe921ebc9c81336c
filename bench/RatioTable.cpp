#include "RatioTable.h"

#include <cstdio>
#include <optional>

namespace zk::bench {
namespace {

constexpr double kMiB = 1024.0 * 1024.0;

// "(OpenSSL)" for "RijndaelCbcEncrypt/OpenSSL".
std::string PeerTag(const std::string& benchmark) {
  std::string tag = "(";
  tag.append(benchmark, benchmark.rfind('/') + 1);
  tag += ')';
  return tag;
}

}  // namespace

void RatioTable::Print(std::ostream& out, const BestRunReporter& results) const {
  out << "\nours / best peer (best of the repetitions, 1 MiB = 2^20 bytes)\n";
  for (const RatioLine& line : lines_) {
    const std::optional<double> ours = results.BytesPerSecond(line.ours);
    std::optional<double> peer;
    const std::string* fastest = nullptr;
    for (const std::string& name : line.peers) {
      const std::optional<double> rate = results.BytesPerSecond(name);
      if (rate && (!peer || *rate > *peer)) {
        peer = rate;
        fastest = &name;
      }
    }
    if (!ours || !peer) continue;

    const double ratio = *ours / *peer;
    char text[256];
    std::snprintf(text, sizeof text, "%-32s ours %6.0f MiB/s   best peer %6.0f MiB/s %-12s   ratio %5.2f   ",
                  line.label.c_str(), *ours / kMiB, *peer / kMiB, PeerTag(*fastest).c_str(), ratio);
    out << text;
    if (line.target == RatioLine::kInformational) {
      out << "informational";
    } else {
      std::snprintf(text, sizeof text, "target >= %.2f  %s", line.target,
                    ratio >= line.target ? "ok" : "BELOW");
      out << text;
    }
    if (mismatched_.contains(line.ours) || mismatched_.contains(*fastest))
      out << "   (outputs differ: not the same work)";
    out << '\n';
  }
}

}  // namespace zk::bench
