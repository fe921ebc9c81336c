#include "platform/SingleInstance.h"

#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

std::string TSingleInstanceLock::HandOverSocketPath(const std::string& name) {
  return LockFilePath(name) + ".socket";
}

bool PeerIsSameUser(int socketDescriptor) {
  struct ucred peer {};
  socklen_t size = sizeof peer;
  return ::getsockopt(socketDescriptor, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && size == sizeof peer &&
         peer.uid == ::geteuid();
}

TSingleInstanceLock TSingleInstanceLock::TryAcquire(const std::string& name) {
  File file;
  try {
    file = File::OpenOrCreatePrivate(LockFilePath(name));
  } catch (const FileError&) {
    return TSingleInstanceLock(File(), false);
  }
  // Another user's file (root's after `sudo -E zk`) says nothing about this user's instances, and locking
  // it would keep that user's program from starting.
  struct stat info;
  if (::fstat(file.Descriptor(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
    return TSingleInstanceLock(File(), false);
  if (::flock(file.Descriptor(), LOCK_EX | LOCK_NB) == 0) return TSingleInstanceLock(std::move(file), false);
  const bool heldByAnother = errno == EWOULDBLOCK;
  return TSingleInstanceLock(File(), heldByAnother);
}

}  // namespace zk
