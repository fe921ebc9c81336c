#include "PendingOutput.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "OutputNames.h"
#include "platform/MoveFile.h"
#include "platform/UnfinishedFiles.h"

namespace zk {

TPendingOutput::TPendingOutput(const std::string& besidePath, bool replacing, bool plainText)
    : replacing_(replacing), plainText_(plainText) {
  const THeldStopSignals held;
  try {
    file_ = File::CreateUnnamedBeside(besidePath);
  } catch (const FileError& error) {
    // Older kernels say EISDIR, file systems without unnamed files EOPNOTSUPP.
    if (error.Code() != EOPNOTSUPP && error.Code() != EISDIR) throw;
    file_ = File::CreateTemporaryBeside(besidePath);
    temporary_ = file_.Path();
  }
  ticket_ = RememberUnfinished(file_, temporary_, plainText_);
}

TPendingOutput::~TPendingOutput() {
  if (!file_.IsOpen()) return;
  if (plainText_) OverwriteContents(file_.Descriptor());
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  Forget();
}

void TPendingOutput::Complete(mode_t mode, bool flush) {
  file_.SetMode(mode);
  if (flush) {
    file_.Sync();
    flushed_ = true;
  }
}

std::string TPendingOutput::MoveTo(std::string path) {
  if (!flushed_) {
    file_.Sync();
    flushed_ = true;
  }
  if (replacing_) {
    // Only a named file can be exchanged with what stands at the path.
    if (temporary_.empty()) temporary_ = NameTemporarily(path);
    if (!ReplaceRegularFile(temporary_, path)) {
      if (errno == EEXIST) throw TOutputRefused(EEXIST, "not a regular file, never replaced: " + path);
      throw FileError::FromErrno(errno, "cannot rename to", path);
    }
  } else {
    while (!(temporary_.empty() ? file_.LinkAs(path) : MoveWithoutReplacing(temporary_, path))) {
      if (errno != EEXIST) throw FileError::FromErrno(errno, "cannot name", path);
      path = CollisionFreeName(path);
    }
  }
  temporary_.clear();
  Forget();
  return path;
}

// A temporary name in the folder of besidePath for the unnamed file, entered in the table with it.
std::string TPendingOutput::NameTemporarily(const std::string& besidePath) {
  const THeldStopSignals held;
  for (;;) {
    const std::string name = TemporaryName(besidePath);
    if (file_.LinkAs(name)) {
      ForgetUnfinished(ticket_);
      ticket_ = RememberUnfinished(file_, name, plainText_);
      return name;
    }
    if (errno != EEXIST) throw FileError::FromErrno(errno, "cannot name", name);
  }
}

// The table entry goes before the descriptor is closed, so that its number is never taken for another file.
void TPendingOutput::Forget() {
  ForgetUnfinished(std::exchange(ticket_, -1));
  file_ = File();
}

}  // namespace zk
