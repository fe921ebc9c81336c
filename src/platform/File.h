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

// What tells a file's state apart over time without reading it: the same file (device and inode), the
// same size, and the same modification and change times to the nanosecond. Any write, truncation,
// replacement, rename over it or change of its links changes one of them.
struct TFileSnapshot {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t Size = 0;
  int64_t ModifiedSeconds = 0;
  int64_t ModifiedNanoseconds = 0;
  int64_t ChangedSeconds = 0;
  int64_t ChangedNanoseconds = 0;
  bool operator==(const TFileSnapshot&) const = default;
};

// target's name + kUnfinishedMark + 6 random characters, in the folder of target (the name cut, at whole
// characters, to fit a file name).
std::string TemporaryName(const std::string& target);

// Overwrites every byte of an open file with zeros and flushes it: what a partial plain text gets before it
// goes. Best effort, without throwing; async-signal-safe (fstat, pwrite, fdatasync).
void OverwriteContents(int fd);

class File {
 public:
  // The default open mode: read + write on an existing file. A file carrying the read-only attribute is
  // refused (EACCES) even when the process could write it (root); a folder is refused (EISDIR).
  static File OpenReadWrite(const std::string& path);
  // The same, with the file's snapshot as it was opened (one examination serves both).
  static File OpenReadWrite(const std::string& path, TFileSnapshot& opened);
  // Existing file, read only.
  static File OpenReadOnly(const std::string& path);
  // Existing file, write only, never through a symbolic link.
  static File OpenWriteOnly(const std::string& path);
  // An existing regular file to overwrite: read + write, never through a symbolic link, refused (EACCES)
  // when it carries the read-only attribute, as OpenReadWrite.
  static File OpenForOverwrite(const std::string& path);
  // Creates or truncates; write only; mode 0666 & ~umask.
  static File Create(const std::string& path);
  // Creates a file that must not exist yet (never replaces anything).
  static File CreateNew(const std::string& path);
  // Creates a new file, mode 0600, read + write, under a TemporaryName of target, so that a rename can then
  // give it target's name in one step; Path() names it.
  static File CreateTemporaryBeside(const std::string& target);
  // Creates a file without a name (O_TMPFILE), mode 0600, read + write, in the folder of target, to be
  // named by LinkAs once complete; until then no kill or crash can leave it behind. Path() is target, for
  // messages only. Throws FileError; EOPNOTSUPP (or EISDIR on older kernels) when the file system
  // cannot make one.
  static File CreateUnnamedBeside(const std::string& target);
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
  // Writes `first` and then data, both in one call where the system takes them at once.
  void Write(std::string_view first, const void* data, size_t size);
  void Seek(int64_t offset);  // from the start
  int64_t Size() const;
  void Sync();
  void Close();
  // The permission bits (rwx for owner, group and others): chmod on the open file (Snapshot tells what it has).
  void SetMode(mode_t mode);
  int64_t Position() const;
  // With permissionBits, also the permission bits, from the same examination.
  TFileSnapshot Snapshot(mode_t* permissionBits = nullptr) const;
  // How many names the file has.
  uint64_t LinkCount() const;
  // An advisory lock that other ZK processes respect (flock): shared while a file is read, exclusive
  // before it is overwritten. False, without waiting, when another holds a lock that excludes it.
  bool TryLockShared();
  bool TryLockExclusive();
  // Gives an unnamed file (CreateUnnamedBeside) the name path; never replaces anything. False with errno
  // (EEXIST when the name is taken).
  bool LinkAs(const std::string& path);

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
