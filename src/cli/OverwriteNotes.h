// Tells on stderr, once for each file system, why a wipe there may leave the old data behind. The result
// lines on stdout stay as they are: scripts parse them.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "cli/Console.h"

namespace zk::cli {

class TOverwriteNotes {
 public:
  explicit TOverwriteNotes(TConsole& console) : console_(console) {}
  // Called before `path` is wiped.
  void BeforeWipe(const std::string& path);

 private:
  TConsole& console_;
  std::set<uint64_t> toldFileSystems_;
};

}  // namespace zk::cli
