// Moving a file to a new name without ever replacing what stands there.
#pragma once

#include <string>

namespace zk {

// True when from now stands at to. False, with nothing changed, when to exists (errno EEXIST) or the move
// fails (errno says why).
bool MoveWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace zk
