#include "platform/File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <utility>

#include "platform/FileError.h"
#include "platform/Paths.h"

namespace zk {

std::string TemporaryName(const std::string& target) {
  static constexpr char kNameCharacters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  // Each thread draws from its own generator: the workers of a batch create temporaries at once, and the
  // process-wide one is kept for the output names, which are drawn in list order.
  thread_local std::minstd_rand generator(std::random_device{}());
  std::uniform_int_distribution<int> character(0, sizeof kNameCharacters - 2);
  constexpr int kRandomCharacters = 6;
  std::string path =
      FolderPart(target) +
      Utf8Prefix(LastComponent(target), kMaxFileNameBytes - kUnfinishedMark.size() - kRandomCharacters) +
      std::string(kUnfinishedMark);
  for (int i = 0; i < kRandomCharacters; ++i) path += kNameCharacters[character(generator)];
  return path;
}

void OverwriteContents(int fd) {
  static const char kZeros[64 * 1024] = {};
  struct stat info;
  if (::fstat(fd, &info) != 0) return;
  for (off_t at = 0; at < info.st_size;) {
    const size_t count = static_cast<size_t>(std::min<off_t>(sizeof kZeros, info.st_size - at));
    const ssize_t written = ::pwrite(fd, kZeros, count, at);
    if (written <= 0) break;
    at += written;
  }
  ::fdatasync(fd);
}

File File::Open(const std::string& path, int flags, const char* operation, mode_t mode) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw FileError::FromErrno(errno, operation, path);
  return File(fd, path);
}

File File::OpenReadWrite(const std::string& path) {
  TFileSnapshot opened;
  return OpenReadWrite(path, opened);
}

File File::OpenReadWrite(const std::string& path, TFileSnapshot& opened) {
  File file = Open(path, O_RDWR, "cannot open");
  mode_t mode = 0;
  opened = file.Snapshot(&mode);
  // Root may write anything; the read-only attribute must refuse the open all the same.
  if ((mode & S_IWUSR) == 0) throw FileError::FromErrno(EACCES, "cannot open", path);
  return file;
}

File File::OpenReadOnly(const std::string& path) {
  File file = Open(path, O_RDONLY, "cannot open");
  struct stat info;
  if (::fstat(file.fd_, &info) != 0) throw FileError::FromErrno(errno, "cannot examine", path);
  if (S_ISDIR(info.st_mode)) throw FileError::FromErrno(EISDIR, "cannot open", path);
  return file;
}

File File::OpenWriteOnly(const std::string& path) { return Open(path, O_WRONLY | O_NOFOLLOW, "cannot open"); }

File File::OpenForOverwrite(const std::string& path) {
  File file = Open(path, O_RDWR | O_NOFOLLOW, "cannot open");
  struct stat info;
  if (::fstat(file.fd_, &info) != 0) throw FileError::FromErrno(errno, "cannot examine", path);
  if (!S_ISREG(info.st_mode)) throw FileError(EINVAL, "cannot open " + path + ": not a regular file");
  if ((info.st_mode & S_IWUSR) == 0) throw FileError::FromErrno(EACCES, "cannot open", path);
  return file;
}

File File::Create(const std::string& path) {
  return Open(path, O_WRONLY | O_CREAT | O_TRUNC, "cannot create");
}

File File::CreateNew(const std::string& path) {
  return Open(path, O_WRONLY | O_CREAT | O_EXCL, "cannot create");
}

File File::CreateUnnamedBeside(const std::string& target) {
  const std::string folder = FolderPart(target);
  File file = Open(folder.empty() ? std::string(".") : folder, O_TMPFILE | O_RDWR, "cannot create", 0600);
  file.path_ = target;
  return file;
}

File File::CreateTemporaryBeside(const std::string& target) {
  for (;;) {
    try {
      return Open(TemporaryName(target), O_RDWR | O_CREAT | O_EXCL, "cannot create", 0600);
    } catch (const FileError& error) {
      if (error.Code() != EEXIST) throw;
    }
  }
}

File File::OpenStream(const std::string& path) {
  File file = Open(path, O_WRONLY, "cannot open");
  struct stat info;
  if (::fstat(file.fd_, &info) != 0) throw FileError::FromErrno(errno, "cannot examine", path);
  if (!S_ISFIFO(info.st_mode) && !S_ISCHR(info.st_mode))
    throw FileError(EINVAL, "neither a FIFO nor a character device: " + path);
  return file;
}

File File::StandardOutput() {
  const int fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) throw FileError::FromErrno(errno, "cannot use", "standard output");
  return File(fd, "-");
}

File File::OpenOrCreatePrivate(const std::string& path) {
  return Open(path, O_RDWR | O_CREAT | O_NOFOLLOW, "cannot open", 0600);
}

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

File::~File() {
  if (fd_ >= 0) ::close(fd_);
}

size_t File::Read(void* buffer, size_t size) {
  auto* bytes = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < size) {
    ssize_t count = ::read(fd_, bytes + done, size - done);
    if (count < 0) {
      if (errno == EINTR) continue;
      throw FileError::FromErrno(errno, "cannot read", path_);
    }
    if (count == 0) break;
    done += static_cast<size_t>(count);
  }
  return done;
}

void File::Write(const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  size_t done = 0;
  while (done < size) {
    ssize_t count = ::write(fd_, bytes + done, size - done);
    if (count < 0) {
      if (errno == EINTR) continue;
      throw FileError::FromErrno(errno, "cannot write", path_);
    }
    if (count == 0) throw FileError::FromErrno(ENOSPC, "cannot write", path_);
    done += static_cast<size_t>(count);
  }
}

void File::Write(std::string_view first, const void* data, size_t size) {
  struct iovec parts[2] = {{const_cast<char*>(first.data()), first.size()}, {const_cast<void*>(data), size}};
  ssize_t count;
  do {
    count = ::writev(fd_, parts, 2);
  } while (count < 0 && errno == EINTR);
  if (count < 0) throw FileError::FromErrno(errno, "cannot write", path_);
  const auto done = static_cast<size_t>(count);
  if (done < first.size()) {
    Write(first.data() + done, first.size() - done);
    Write(data, size);
  } else {
    Write(static_cast<const char*>(data) + (done - first.size()), size - (done - first.size()));
  }
}

void File::Seek(int64_t offset) {
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0)
    throw FileError::FromErrno(errno, "cannot seek in", path_);
}

int64_t File::Size() const {
  struct stat info;
  if (::fstat(fd_, &info) != 0) throw FileError::FromErrno(errno, "cannot examine", path_);
  return static_cast<int64_t>(info.st_size);
}

void File::Sync() {
  if (::fsync(fd_) != 0) throw FileError::FromErrno(errno, "cannot flush", path_);
}

void File::Close() {
  if (fd_ < 0) return;
  int fd = std::exchange(fd_, -1);
  // After close() the descriptor is gone whatever it reports, so EINTR is not retried.
  if (::close(fd) != 0 && errno != EINTR) throw FileError::FromErrno(errno, "cannot close", path_);
}

void File::SetMode(mode_t mode) {
  if (::fchmod(fd_, mode) != 0) throw FileError::FromErrno(errno, "cannot set the permissions of", path_);
}

int64_t File::Position() const {
  const off_t position = ::lseek(fd_, 0, SEEK_CUR);
  if (position < 0) throw FileError::FromErrno(errno, "cannot seek in", path_);
  return static_cast<int64_t>(position);
}

TFileSnapshot File::Snapshot(mode_t* permissionBits) const {
  struct stat info;
  if (::fstat(fd_, &info) != 0) throw FileError::FromErrno(errno, "cannot examine", path_);
  if (permissionBits) *permissionBits = info.st_mode & 0777;
  return {info.st_dev,          info.st_ino,         info.st_size,        info.st_mtim.tv_sec,
          info.st_mtim.tv_nsec, info.st_ctim.tv_sec, info.st_ctim.tv_nsec};
}

uint64_t File::LinkCount() const {
  struct stat info;
  if (::fstat(fd_, &info) != 0) throw FileError::FromErrno(errno, "cannot examine", path_);
  return info.st_nlink;
}

namespace {

bool TryLock(int fd, int operation) {
  int result;
  do {
    result = ::flock(fd, operation | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  // A file system without flock support (some network ones) cannot coordinate: nothing to respect there.
  return result == 0 || errno == ENOLCK || errno == EOPNOTSUPP;
}

}  // namespace

bool File::TryLockShared() { return TryLock(fd_, LOCK_SH); }
bool File::TryLockExclusive() { return TryLock(fd_, LOCK_EX); }

bool File::LinkAs(const std::string& path) {
  // Naming by the descriptor itself needs a privilege; the /proc link of the descriptor needs none.
  if (::linkat(fd_, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return true;
  if (errno != ENOENT && errno != EPERM) return false;
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

}  // namespace zk
