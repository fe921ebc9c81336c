#include "platform/Folders.h"

#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileError.h"

namespace zk {

bool IsWritableFolder(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

void CreateFolderWithParents(const std::string& path, mode_t mode) {
  // Each prefix ending before a "/" (and the whole path) is one folder to make, the root skipped.
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string folder = path.substr(0, end);
    if (!folder.empty() && folder.back() != '/' && ::mkdir(folder.c_str(), mode) != 0) {
      const int error = errno;
      struct stat info;
      if (error != EEXIST) throw FileError::FromErrno(error, "cannot create folder", folder);
      if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw FileError::FromErrno(ENOTDIR, "cannot create folder", folder);
    }
    if (end == std::string::npos) return;
  }
}

std::string HomeFolder() {
  const char* variable = ::getenv("HOME");
  if (variable && variable[0] == '/') return variable;
  const passwd* account = ::getpwuid(::geteuid());
  return account && account->pw_dir && account->pw_dir[0] == '/' ? account->pw_dir : "";
}

}  // namespace zk
