// The command line of zk, read once after the start-up settings are loaded:
//   -E -D -W  encrypt (the default), decrypt, wipe       -F  run at once and end (needs -P unless wiping)
//   -I  end after the run   -P PASSWORD   -H HINT   -A OUTPUT  (one file straight to OUTPUT, then end)
// Switches are recognised without regard to case and surrounding blanks; every other word is a path.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/HandOver.h"

namespace zk {

class TWindows;

void ProcessCommandLine(TWindows& windows);

// What a second start with these words hands to the running program: its paths (resolved from
// `startFolder`) in the last mode given. Only a command line that names a path and sets nothing but the
// mode is handed over; a password, a hint, a run at once or a direct output belongs to a program of its
// own and never leaves the process.
std::optional<THandOver> HandOverOf(const std::vector<std::string>& words, const std::string& startFolder);

}  // namespace zk
