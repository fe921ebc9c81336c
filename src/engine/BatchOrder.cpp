#include "BatchOrder.h"

#include <sys/stat.h>

#include <map>
#include <utility>

namespace zk {

TRowOrder RowOrder(const std::vector<std::string>& sources) {
  TRowOrder order{std::vector<int64_t>(sources.size(), 0), std::vector<int>(sources.size(), -1)};
  std::map<std::pair<dev_t, ino_t>, int> lastRowOfFile;
  for (size_t i = 0; i < sources.size(); ++i) {
    const int row = static_cast<int>(i);
    struct stat info;
    if (::stat(sources[i].c_str(), &info) != 0) {
      order.WaitFor[i] = row - 1;
      continue;
    }
    if (S_ISREG(info.st_mode)) order.Sizes[i] = info.st_size;
    const auto [entry, added] = lastRowOfFile.try_emplace({info.st_dev, info.st_ino}, row);
    if (!added) order.WaitFor[i] = std::exchange(entry->second, row);
  }
  return order;
}

}  // namespace zk
