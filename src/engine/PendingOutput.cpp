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

TPendingOutput::TPendingOutput(std::string finalPath, bool replacing)
    : final_(std::move(finalPath)), replacing_(replacing) {
  const THeldStopSignals held;
  file_ = File::CreateTemporaryBeside(final_);
  ticket_ = RememberUnfinished(file_.Path());
  temporary_ = file_.Path();
}

TPendingOutput::~TPendingOutput() {
  file_ = File();
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  ForgetUnfinished(ticket_);
}

std::string TPendingOutput::Finish() {
  file_.Sync();
  file_.Close();
  std::string path = final_;
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
