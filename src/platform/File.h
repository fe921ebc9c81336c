// One open file descriptor, closed when the object ends. Move-only.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zk {

// What the name of a file still being written carries after its final name and before a random tail, so
// that one left behind by a kill or a power cut reads as unfinished: a.txt.enc.zk-unfinished-k3x9q2.
inline constexpr std::string_view kUnfinishedMark = ".zk-unfinished-";

class File {
 public:
  // The default open mode: read + write on an existing file. A file carrying the read-only attribute is
  // refused (EACCES) even when the process could write it (root); a folder is refused (EISDIR).
  static File OpenReadWrite(const std::string& path);
  // Existing file, read only.
  static File OpenReadOnly(const std::string& path);
  // Existing file, write only, never through a symbolic link.
  static File OpenWriteOnly(const std::string& path);
  // Creates or truncates; write only; mode 0666 & ~umask.
  static File Create(const std::string& path);
  // Creates a file that must not exist yet (never replaces anything).
  static File CreateNew(const std::string& path);
  // Creates a new file named target's name + kUnfinishedMark + 6 random characters in the folder of
  // target (the name cut, at whole characters, to fit a file name), so that a rename can then give it
  // target's name in one step; Path() names it.
  static File CreateTemporaryBeside(const std::string& target);
  // An existing FIFO or character device (a terminal, /dev/null), links followed, write only: a stream
  // that is written into, never replaced. Throws FileError (EINVAL) for anything else.
  static File OpenStream(const std::string& path);
  // A descriptor of standard output of its own; Path() is "-".
  static File StandardOutput();
  // Opens, or creates with mode 0600, a file only its owner may use; never through a symbolic link.
  static File OpenOrCreatePrivate(const std::string& path);

  File() = default;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();  // closes quietly; call Close() to learn about a failing close

  // Reads until size bytes or end of file; returns the count read.
  size_t Read(void* buffer, size_t size);
  // Writes every byte or throws (ENOSPC etc.).
  void Write(const void* data, size_t size);
  void Seek(int64_t offset);  // from the start
  int64_t Size() const;
  void Sync();
  void Close();

  bool IsOpen() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }
  const std::string& Path() const { return path_; }

 private:
  File(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  static File Open(const std::string& path, int flags, const char* operation, mode_t mode = 0666);

  int fd_ = -1;
  std::string path_;
};

}  // namespace zk
