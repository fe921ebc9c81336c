// The values the whole program shares while it runs, apart from those that live in the windows' controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zk {

struct TProgramState {
  std::string SettingsFile;              // the full path of ZK.ini
  std::string StartFolder;               // relative command-line paths are taken from here
  std::vector<std::string> CommandLine;  // the words after the program's own path
  std::string HelpFile;                  // ZK.hlp in the program's folder; F1 opens it when it exists
  std::string PassHash;                  // the registered password check value; empty when none
  int32_t SecLevel = 2;                  // 1 to 4: minimum password lengths 1, 6, 10, 20 bytes
  int32_t ProcessMsgInterval = 30;       // events are let through once in about this many blocks
  bool FirstExec = true;                 // until the program has once been closed normally
  bool StartupPending = true;            // until the main window's first showing ran the start-up block
  int NamingMode = 0;                    // 0 ".enc", 1 own extension, 2 random name + own extension
};

}  // namespace zk
