// An output (container, decrypted file, explicit output) written beside its final name and named only when
// complete, so that a file under a final name is always whole: the format stores no length, and a truncated
// container could never be told from a complete one.
//
// Where the file system allows it the output has no name at all while it is written (an unnamed file that
// is linked in when complete): no kill, crash or power cut can then leave a partial file under any name.
// Elsewhere it is written under a temporary name (TEMPORARY = name + kUnfinishedMark + 6 characters).
// Either way it is readable by its owner only until Complete gives it its permission bits, and a process
// ended by a signal removes it (UnfinishedFiles.h).
#pragma once

#include <sys/types.h>

#include <string>

#include "platform/File.h"
#include "platform/FileError.h"

namespace zk {

// MoveTo found something that must not be replaced (a link, a folder) where an output was to replace a file.
class TOutputRefused : public FileError {
 public:
  using FileError::FileError;
};

class TPendingOutput {
 public:
  // Creates the output in the folder of besidePath (its final name may still change). With replacing,
  // MoveTo replaces a regular file standing at its path (an explicit output the user named); without, it
  // never replaces anything. With plainText an unfinished output is overwritten before it goes.
  TPendingOutput(const std::string& besidePath, bool replacing, bool plainText);
  TPendingOutput(const TPendingOutput&) = delete;
  TPendingOutput& operator=(const TPendingOutput&) = delete;
  ~TPendingOutput();  // removes an output that was not named (plain text overwritten first)

  File& Stream() { return file_; }

  // Gives the file its permission bits and, with flush, flushes it to the disk. Throws FileError.
  void Complete(mode_t mode, bool flush = true);
  // The completed file is on the disk: flushed by Complete, or with its whole file system since it was
  // completed (SyncFileSystems, for many outputs at once).
  bool Flushed() const { return flushed_; }
  void FileSystemFlushed() { flushed_ = true; }
  // Gives the completed file its final name, `path`, flushing it first unless it is on the disk already:
  // no output has a name before its data is safe. When a name that must not be replaced is taken, the
  // "_RENAMED" rule picks the next free one. Returns the path the file now has. Throws FileError (the
  // output stays unnamed or under its temporary name, for the destructor to remove), TOutputRefused.
  std::string MoveTo(std::string path);

 private:
  std::string NameTemporarily(const std::string& besidePath);
  void Forget();

  File file_;
  std::string temporary_;  // empty while the file has no name
  bool replacing_ = false;
  bool plainText_ = false;
  bool flushed_ = false;
  int ticket_ = -1;  // in the process-wide table of unfinished files
};

}  // namespace zk
