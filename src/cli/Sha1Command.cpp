// zkcli sha1: the SHA-1 digest of each file as the desktop program's hash tool shows it.
#include <cstdio>

#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "crypto/SecHash.h"

namespace zk::cli {
namespace {

// H0 to H4 as 8 upper-case hexadecimal digits each, one blank between the groups.
std::string FormatDigest(const TSecHash::Digest& digest) {
  std::string text;
  for (uint32_t word : digest) {
    char group[10];
    std::snprintf(group, sizeof group, "%s%08X", text.empty() ? "" : " ", static_cast<unsigned>(word));
    text += group;
  }
  return text;
}

}  // namespace

int RunSha1(const CommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  Console console;
  TSecHash hash;
  int failures = 0;
  for (const std::string& path : files) {
    try {
      console.Line(FormatDigest(hash.HashFile(path)) + "\t" + path);
    } catch (const std::exception& error) {
      console.Error(path + ": " + error.what());
      ++failures;
    }
  }
  return failures ? kExitSomeFailed : kExitSuccess;
}

}  // namespace zk::cli
