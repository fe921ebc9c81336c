// The closing summary: for each measured operation our throughput against the fastest peer, with its target.
#pragma once

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "BestRunReporter.h"

namespace zk::bench {

struct RatioLine {
  static constexpr double kInformational = 0.0;

  std::string label;               // "Twofish CBC encrypt"
  std::string ours;                // benchmark name of our implementation
  std::vector<std::string> peers;  // benchmark names of the peers; the fastest one counts
  double target = kInformational;  // lowest acceptable ours / peer
};

class RatioTable {
 public:
  void Add(RatioLine line) { lines_.push_back(std::move(line)); }
  // A benchmark whose output disagreed with ours measured different work; its lines say so.
  void MarkMismatch(const std::string& benchmark) { mismatched_.insert(benchmark); }

  // Lines whose benchmarks did not run (filtered out, or failed) are left out.
  void Print(std::ostream& out, const BestRunReporter& results) const;

 private:
  std::vector<RatioLine> lines_;
  std::set<std::string> mismatched_;
};

}  // namespace zk::bench
