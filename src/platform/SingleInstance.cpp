#include "platform/SingleInstance.h"

#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

#include "platform/FileError.h"

namespace zk {

namespace {

std::string InFolder(std::string folder, const std::string& name) {
  if (folder.back() != '/') folder += '/';
  return folder + name;
}

std::string LockFilePath(const std::string& name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return InFolder(runtime, name);
  // The temp folder is shared by every user: the user id keeps the instances of different users apart.
  const char* temp = std::getenv("TMPDIR");
  return InFolder(temp != nullptr && *temp != '\0' ? temp : "/tmp", name + "-" + std::to_string(::getuid()));
}

}  // namespace

std::optional<SingleInstanceLock> SingleInstanceLock::TryAcquire(const std::string& name) {
  try {
    File file = File::OpenOrCreatePrivate(LockFilePath(name));
    if (::flock(file.Descriptor(), LOCK_EX | LOCK_NB) != 0) return std::nullopt;
    return SingleInstanceLock(std::move(file));
  } catch (const FileError&) {
    return std::nullopt;
  }
}

}  // namespace zk
