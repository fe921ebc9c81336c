// zkcli sha1: the SHA-1 digest of each file as the desktop program's hash tool shows it.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "cli/ResultOutput.h"
#include "crypto/SecHash.h"

namespace zk::cli {

int RunSha1(const TCommandLine& line) {
  // A path that is not there is one file that fails, as the hash tool reports it, not a usage error.
  const std::vector<std::string> files = CollectInputFiles(line, TMissingPaths::kKept);
  TConsole console;
  TSecHash hash;
  TResultOutput output(console, line);
  for (const std::string& path : files) {
    try {
      output.Digest(path, DigestText(hash.HashFile(path)));
    } catch (const ESecHashException& error) {
      output.DigestFailed(path, std::string(error.what()) + " (" + error.Reason() + ")");
    } catch (const std::exception& error) {
      output.DigestFailed(path, error.what());
    }
  }
  output.Finish();
  return output.Failures() ? kExitSomeFailed : kExitSuccess;
}

}  // namespace zk::cli
