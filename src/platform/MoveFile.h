// Moving a file to a new name without ever replacing what stands there.
#pragma once

#include <string>

namespace zk {

// True when from now stands at to. False, with nothing changed, when to exists (errno EEXIST) or the move
// fails (errno says why).
bool MoveWithoutReplacing(const std::string& from, const std::string& to);

// True when from now stands at to, replacing the regular file that stood there, if any. False, with nothing
// changed, when something else stands there (errno EEXIST: a link, a folder, a device are never replaced)
// or the move fails (errno says why). The check and the replacement are one step where the file system
// can exchange two names.
bool ReplaceRegularFile(const std::string& from, const std::string& to);

}  // namespace zk
