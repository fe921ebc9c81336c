#include "cli/Console.h"

#include <cstdio>

#include "engine/BatchRules.h"
#include "platform/Paths.h"

namespace zk::cli {

void Console::StartFile(int number, int count, const std::string& path, std::string_view statusSuffix) {
  bar_.Start(StatusLine(number, count, LastComponent(path), statusSuffix));
}

void Console::Line(std::string_view text) {
  bar_.Clear();
  std::FILE* const stream = results_ == ResultLines::kStdout ? stdout : stderr;
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

void Console::Error(std::string_view text) {
  bar_.Clear();
  std::fprintf(stderr, "zkcli: %.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace zk::cli
