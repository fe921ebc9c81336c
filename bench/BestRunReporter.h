// A console reporter that keeps, of every benchmark's repetitions, the one with the highest throughput: on a
// machine shared with other work the best run is the one least disturbed.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zk::bench {

class BestRunReporter : public benchmark::ConsoleReporter {
 public:
  using ConsoleReporter::ConsoleReporter;

  // Shows and records the best repetition only; failed runs are shown as they are.
  void ReportRuns(const std::vector<Run>& runs) override;

  // Bytes per second of the named benchmark's best repetition, if it ran without error.
  std::optional<double> BytesPerSecond(const std::string& name) const;

 private:
  std::map<std::string, double> best_;
};

}  // namespace zk::bench
