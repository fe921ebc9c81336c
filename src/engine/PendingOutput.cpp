#include "PendingOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "OutputNames.h"
#include "platform/FileError.h"
#include "platform/MoveFile.h"
#include "platform/UnfinishedFiles.h"

namespace zk {

TPendingOutput::TPendingOutput(const std::string& besidePath, bool replacing) : replacing_(replacing) {
  const THeldStopSignals held;
  file_ = File::CreateTemporaryBeside(besidePath);
  ticket_ = RememberUnfinished(file_.Path());
  temporary_ = file_.Path();
}

TPendingOutput::~TPendingOutput() {
  file_ = File();
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  ForgetUnfinished(ticket_);
}

void TPendingOutput::Complete() {
  file_.Sync();
  file_.Close();
}

std::string TPendingOutput::MoveTo(std::string path) {
  if (replacing_) {
    if (std::rename(temporary_.c_str(), path.c_str()) != 0)
      throw FileError::FromErrno(errno, "cannot rename to", path);
  } else {
    while (!MoveWithoutReplacing(temporary_, path)) {
      if (errno != EEXIST) throw FileError::FromErrno(errno, "cannot rename to", path);
      path = CollisionFreeName(path);
    }
  }
  Release();
  return path;
}

void TPendingOutput::Release() {
  temporary_.clear();
  ForgetUnfinished(std::exchange(ticket_, -1));
}

}  // namespace zk
