// Where a bare settings file name such as "ZK.ini" lives.
//
// Beside the program when its folder is writable: an unpacked, portable program keeps its settings with it.
// An installed program (its folder not writable, or the bin folder it was installed to, also when root could
// write there, or any folder with the install's launcher in ../share/applications, as `cmake --install
// --prefix ~/.local` leaves it) keeps them in $XDG_CONFIG_HOME/zk/, else in ~/.config/zk/. That folder is
// made by the first write, never by a read.
#pragma once

#include <string>

namespace zk {

// Everything the decision depends on, so that it can be made for any program folder and environment.
struct TIniSurroundings {
  std::string executableFolder;  // ends in "/"
  bool executableFolderWritable = false;
  std::string installBinFolder;          // where the build installs its programs; "" for none
  std::string xdgConfigHome;             // the variable's value, "" when unset
  std::string home;                      // the user's home folder, "" when unknown
  bool installedLauncherBeside = false;  // ../share/applications/zk.desktop from the program's folder
};

// The folder, ending in "/". With no usable configuration folder it stays beside the program.
std::string IniFolder(const TIniSurroundings& surroundings);

// This process: its executable, the compiled-in install bin folder, its environment and account.
TIniSurroundings CurrentIniSurroundings();

}  // namespace zk
