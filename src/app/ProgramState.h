// What the program is started with and where it keeps things; the settings themselves are in TSettings.
#pragma once

#include <string>
#include <vector>

namespace zk {

struct TProgramState {
  std::string SettingsFile;              // the full path of ZK.ini
  std::string StartFolder;               // relative command-line paths are taken from here
  std::vector<std::string> CommandLine;  // the words after the program's own path
  std::string HelpFile;                  // ZK.hlp in the program's folder; F1 opens it when it exists
};

}  // namespace zk
