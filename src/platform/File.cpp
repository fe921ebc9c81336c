#include "platform/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/FileError.h"
#include "platform/Paths.h"
#include "platform/Random.h"

namespace zk {

File File::Open(const std::string& path, int flags, const char* operation, mode_t mode) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw FileError::FromErrno(errno, operation, path);
  return File(fd, path);
}

File File::OpenReadWrite(const std::string& path) {
  File file = Open(path, O_RDWR, "cannot open");
  struct stat info;
  if (::fstat(file.fd_, &info) != 0) throw FileError::FromErrno(errno, "cannot examine", path);
  // Root may write anything; the read-only attribute must refuse the open all the same.
  if ((info.st_mode & S_IWUSR) == 0) throw FileError::FromErrno(EACCES, "cannot open", path);
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

File File::Create(const std::string& path) {
  return Open(path, O_WRONLY | O_CREAT | O_TRUNC, "cannot create");
}

File File::CreateNew(const std::string& path) {
  return Open(path, O_WRONLY | O_CREAT | O_EXCL, "cannot create");
}

File File::CreateTemporaryBeside(const std::string& target) {
  static constexpr char kNameCharacters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  constexpr int kRandomCharacters = 6;
  const std::string stem =
      FolderPart(target) +
      Utf8Prefix(LastComponent(target), kMaxFileNameBytes - kUnfinishedMark.size() - kRandomCharacters) +
      std::string(kUnfinishedMark);
  for (;;) {
    std::string path = stem;
    for (int i = 0; i < kRandomCharacters; ++i)
      path += kNameCharacters[RandomBelow(sizeof kNameCharacters - 1)];
    try {
      return CreateNew(path);
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

}  // namespace zk
