// An output (container, decrypted file, explicit output) written under a temporary name in its destination
// folder, flushed, and only then given its final name, so that a file under a final name is always whole:
// the format stores no length, and a truncated container could never be told from a complete one.
#pragma once

#include <string>

#include "platform/File.h"

namespace zk {

class TPendingOutput {
 public:
  // Creates the temporary (File::CreateTemporaryBeside) for finalPath. With replacing, Finish replaces a
  // file standing at finalPath (an explicit output the user named); without, it never replaces anything.
  TPendingOutput(std::string finalPath, bool replacing);
  TPendingOutput(const TPendingOutput&) = delete;
  TPendingOutput& operator=(const TPendingOutput&) = delete;
  ~TPendingOutput();  // deletes a temporary that was not finished

  File& Stream() { return file_; }
  const std::string& TemporaryPath() const { return temporary_; }

  // Flushes the file to the disk, closes it and gives it its final name. When a name that must not be
  // replaced was taken meanwhile, the "_RENAMED" rule picks the next free one.
  // Returns the path the file now has. Throws FileError; the temporary then stays for the owner to remove.
  std::string Finish();
  // Forgets the temporary after its owner has removed it (the wipe of a partial plain file).
  void Release();

 private:
  File file_;
  std::string final_;
  std::string temporary_;
  bool replacing_ = false;
  int ticket_ = -1;  // in the process-wide table of unfinished files
};

}  // namespace zk
