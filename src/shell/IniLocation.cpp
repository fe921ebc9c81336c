#include "shell/IniLocation.h"

#include <stdlib.h>

#include "platform/ExecutableFolder.h"
#include "platform/FileInfo.h"
#include "platform/Folders.h"

namespace zk {

namespace {

std::string WithFinalSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The XDG base directory rules ignore a relative path.
bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

// The install bin folder as the kernel names the executable's folder: links resolved.
std::string ResolvedInstallBinFolder() {
  char* resolved = ::realpath(ZK_INSTALL_BINDIR, nullptr);
  if (!resolved) return ZK_INSTALL_BINDIR;
  std::string folder = resolved;
  ::free(resolved);
  return folder;
}

}  // namespace

std::string IniFolder(const TIniSurroundings& surroundings) {
  const std::string& beside = surroundings.executableFolder;
  const bool installed = !surroundings.executableFolderWritable || surroundings.installedLauncherBeside ||
                         (!surroundings.installBinFolder.empty() &&
                          WithFinalSlash(surroundings.installBinFolder) == WithFinalSlash(beside));
  if (!installed) return beside;
  if (IsAbsolute(surroundings.xdgConfigHome)) return WithFinalSlash(surroundings.xdgConfigHome) + "zk/";
  if (IsAbsolute(surroundings.home)) return WithFinalSlash(surroundings.home) + ".config/zk/";
  return beside;
}

TIniSurroundings CurrentIniSurroundings() {
  TIniSurroundings surroundings;
  surroundings.executableFolder = ExecutableFolder();
  surroundings.executableFolderWritable = IsWritableFolder(surroundings.executableFolder);
  surroundings.installBinFolder = ResolvedInstallBinFolder();
  const char* xdgConfigHome = ::getenv("XDG_CONFIG_HOME");
  surroundings.xdgConfigHome = xdgConfigHome ? xdgConfigHome : "";
  surroundings.home = HomeFolder();
  surroundings.installedLauncherBeside =
      FileExists(surroundings.executableFolder + "../" + ZK_INSTALL_DATADIR + "/applications/zk.desktop");
  return surroundings;
}

}  // namespace zk
