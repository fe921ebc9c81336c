// The names in one folder, read in full or not at all.
#pragma once

#include <string>
#include <vector>

namespace zk {

enum class TFolderRead {
  kRead,
  kGone,        // no folder there (missing, or something else by that name): nothing to report
  kUnreadable,  // a folder, but it could not be used in full
};

struct TFolderNames {
  TFolderRead State;
  std::vector<std::string> Names;  // when read: sorted by bytes, without "." and ".."
};

// Reads the names of `folder`. It is unreadable when opening or reading it fails or its entries cannot be
// reached (no search permission), and also when the full path of one of its entries would be too long for
// the system's calls: every operation on a file takes its full path, so such an entry could be listed but
// never worked on.
TFolderNames ReadFolderNames(const std::string& folder);

}  // namespace zk
