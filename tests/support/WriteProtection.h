// Makes a file refuse to be opened for writing, or a folder refuse creations and deletions, while the object
// lives: by clearing the write bits for a user, and for root, who ignores them, by the immutable attribute.
#pragma once

#include <sys/types.h>

#include <string>

namespace zk::test {

class WriteProtection {
 public:
  explicit WriteProtection(const std::string& path);
  ~WriteProtection();
  WriteProtection(const WriteProtection&) = delete;
  WriteProtection& operator=(const WriteProtection&) = delete;

  // False when it could not be done, e.g. on a file system without the immutable attribute; skip then.
  bool Locked() const { return locked_; }

 private:
  int fd_;
  mode_t mode_ = 0;
  int flags_ = 0;
  bool locked_ = false;
};

}  // namespace zk::test
