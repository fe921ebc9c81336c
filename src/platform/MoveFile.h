// Moving a file to a new name without ever replacing what stands there.
#pragma once

#include <string>

namespace zk {

// True when from now stands at to. False, with nothing changed, when to exists or the move fails.
bool MoveWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace zk
