// zkcli hint: the password hint of each container, read without the password.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "cli/ResultOutput.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"

namespace zk::cli {

int RunHint(const TCommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  TConsole console;
  TFileEngine engine;
  TResultOutput output(console, line);
  for (const std::string& path : files) output.Hint(path, engine.ReadHint(path));
  output.Finish();
  return output.Failures() ? kExitSomeFailed : kExitSuccess;
}

}  // namespace zk::cli
