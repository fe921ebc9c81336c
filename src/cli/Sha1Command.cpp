// zkcli sha1: the SHA-1 digest of each file as the desktop program's hash tool shows it.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "crypto/SecHash.h"

namespace zk::cli {

int RunSha1(const CommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  Console console;
  TSecHash hash;
  int failures = 0;
  for (const std::string& path : files) {
    try {
      console.Line(DigestText(hash.HashFile(path)) + "\t" + path);
    } catch (const std::exception& error) {
      console.Error(path + ": " + error.what());
      ++failures;
    }
  }
  return failures ? kExitSomeFailed : kExitSuccess;
}

}  // namespace zk::cli
