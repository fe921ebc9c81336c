// The settings between ZK.ini and the windows that hold them while the program runs: loaded once at the
// start-up, saved when the main window closes.
#pragma once

namespace zk {

class TWindows;

// The options into the options dialog's controls, the remembered hint into the batch, the naming choice
// and the algorithm; in the order the start-up has always read them.
void LoadStartupSettings(TWindows& windows);

// Every setting from its live holder, in a fixed order, FIRSTEXEC last as false. Throws EIniWriteError
// at the first refused write; the writes after it are not made.
void SaveSettings(TWindows& windows);

}  // namespace zk
