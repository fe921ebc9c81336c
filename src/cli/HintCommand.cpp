// zkcli hint: the password hint of each container, read without the password.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"

namespace zk::cli {

int RunHint(const CommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  Console console;
  TFileEngine engine;
  int failures = 0;
  for (const std::string& path : files) {
    const std::optional<std::string> hint = engine.ReadHint(path);
    if (!hint) ++failures;
    console.Line({HintText(hint), path});
  }
  return failures ? kExitSomeFailed : kExitSuccess;
}

}  // namespace zk::cli
