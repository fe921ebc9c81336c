#include "cli/RowLoop.h"

#include "cli/Commands.h"

namespace zk::cli {

int RunRows(const std::vector<std::string>& files, std::string_view statusSuffix, Console& console,
            const std::function<TRowResult(const std::string& path)>& row) {
  const int count = static_cast<int>(files.size());
  int failures = 0;
  for (int i = 0; i < count; ++i) {
    const std::string& path = files[static_cast<size_t>(i)];
    console.StartFile(i + 1, count, path, statusSuffix);
    const TRowResult result = row(path);
    if (result.Failed()) ++failures;
    std::string line = std::string(result.Text()) + path;
    if (!result.DecryptedPath.empty()) line += "\t" + result.DecryptedPath;
    console.Line(line);
  }
  return failures ? kExitSomeFailed : kExitSuccess;
}

}  // namespace zk::cli
