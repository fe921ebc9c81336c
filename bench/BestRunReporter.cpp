#include "BestRunReporter.h"

namespace zk::bench {
namespace {

double Throughput(const benchmark::BenchmarkReporter::Run& run) {
  const auto it = run.counters.find("bytes_per_second");
  return it == run.counters.end() ? 0.0 : it->second.value;
}

}  // namespace

void BestRunReporter::ReportRuns(const std::vector<Run>& runs) {
  const Run* best = nullptr;
  for (const Run& run : runs) {
    if (run.error_occurred) {
      ConsoleReporter::ReportRuns(runs);
      return;
    }
    if (run.run_type == Run::RT_Iteration && (!best || Throughput(run) > Throughput(*best))) best = &run;
  }
  if (!best) return;
  best_[best->run_name.function_name] = Throughput(*best);
  ConsoleReporter::ReportRuns({*best});
}

std::optional<double> BestRunReporter::BytesPerSecond(const std::string& name) const {
  const auto it = best_.find(name);
  if (it == best_.end()) return std::nullopt;
  return it->second;
}

}  // namespace zk::bench
