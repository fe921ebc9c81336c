// What the tests of interrupted zkcli runs share: a plain file large enough to be caught in the middle, and
// a look at what a run left in its folder.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zk::test {

// Bytes that differ from run to run of 16 bytes, so that a piece in the wrong place shows.
std::string PlainBytes(size_t size);

// The names in the folder (links not followed) that carry the mark of an unfinished file.
std::vector<std::string> UnfinishedNames(const std::string& folder);

// Waits until the process has an output open in the folder (a file without a name, or one under a
// temporary name); false after 20 seconds.
bool WaitForOutputInProgress(pid_t process, const std::string& folder);

}  // namespace zk::test
