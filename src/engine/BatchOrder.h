// Which rows of a batch may be prepared at once: the one rule that makes a run on several threads find the
// files a run on one thread finds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zk {

struct TRowOrder {
  // Each row's source size as the run starts (0 for anything but a regular file).
  std::vector<int64_t> Sizes;
  // For each row, the earlier row that must be committed before it is prepared, or -1: the last earlier
  // row with the same source file (through any of its names), whose source wipe changes what the later one
  // reads. A source that cannot be examined now may be an earlier row's output by the time a run on one
  // thread reaches it: such a row waits for every earlier row.
  std::vector<int> WaitFor;
};

TRowOrder RowOrder(const std::vector<std::string>& sources);

}  // namespace zk
