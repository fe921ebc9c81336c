// The command line of zk, read once after the start-up settings are loaded:
//   -E -D -W  encrypt (the default), decrypt, wipe       -F  run at once and end (needs -P unless wiping)
//   -I  end after the run   -P PASSWORD   -H HINT   -A OUTPUT  (one file straight to OUTPUT, then end)
// Switches are recognised without regard to case and surrounding blanks; every other word is a path.
#pragma once

namespace zk {

class TWindows;

void ProcessCommandLine(TWindows& windows);

}  // namespace zk
