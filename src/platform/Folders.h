// Folders as the settings file needs them: whether one may be written, making one, the user's home.
#pragma once

#include <sys/types.h>

#include <string>

namespace zk {

// The process may create files in the folder (access(W_OK): root passes unless the file system is read-only).
bool IsWritableFolder(const std::string& path);

// Creates the folder and every missing folder above it with `mode`; folders that exist are left as they
// are. Throws FileError, also when a component exists but is no folder.
void CreateFolderWithParents(const std::string& path, mode_t mode);

// $HOME when it is an absolute path, else the home folder of the user's account; "" when neither is known.
std::string HomeFolder();

}  // namespace zk
