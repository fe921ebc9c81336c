#include "WriteProtection.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zk::test {

namespace {
bool IsRoot() { return ::geteuid() == 0; }
}  // namespace

// O_NONBLOCK: the path might be a FIFO, whose opening would wait for a writer.
WriteProtection::WriteProtection(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK)) {
  struct stat info;
  if (fd_ < 0 || ::fstat(fd_, &info) != 0) return;
  mode_ = info.st_mode & 07777;
  if (!IsRoot()) {
    locked_ = ::fchmod(fd_, mode_ & ~0222) == 0;
  } else if (::ioctl(fd_, FS_IOC_GETFLAGS, &flags_) == 0) {
    int immutable = flags_ | FS_IMMUTABLE_FL;
    locked_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &immutable) == 0;
  }
}

WriteProtection::~WriteProtection() {
  if (locked_ && !IsRoot()) ::fchmod(fd_, mode_);
  if (locked_ && IsRoot()) ::ioctl(fd_, FS_IOC_SETFLAGS, &flags_);
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace zk::test
