// zkcli sha1: the SHA-1 digest of each file as the desktop program's hash tool shows it.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "crypto/SecHash.h"

namespace zk::cli {

int RunSha1(const CommandLine& line) {
  // A path that is not there is one file that fails, as the hash tool reports it, not a usage error.
  const std::vector<std::string> files = CollectInputFiles(line, MissingPaths::kKept);
  Console console;
  TSecHash hash;
  int failures = 0;
  for (const std::string& path : files) {
    try {
      console.Line({DigestText(hash.HashFile(path)), path});
    } catch (const ESecHashException& error) {
      console.Error(path + ": " + error.what() + " (" + error.Reason() + ")");
      ++failures;
    } catch (const std::exception& error) {
      console.Error(path + ": " + error.what());
      ++failures;
    }
  }
  return failures ? kExitSomeFailed : kExitSuccess;
}

}  // namespace zk::cli
