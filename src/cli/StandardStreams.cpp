#include "cli/StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/Commands.h"

namespace zk::cli {
namespace {

bool gStdoutFailed = false;

void TellStdoutFailed(int error) {
  if (gStdoutFailed) return;
  gStdoutFailed = true;
  std::fprintf(stderr, "zkcli: write error: %s\n", std::strerror(error));
}

bool IsClosed(int fd) { return fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

}  // namespace

void GuardStandardDescriptors() {
  for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (!IsClosed(fd)) continue;
    // The lowest free descriptor: the lower ones are open by now.
    const int null = open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    if (null >= 0 && null != fd) {
      dup2(null, fd);
      close(null);
    }
  }
}

void WriteToStdout(std::string_view text) {
  const bool written =
      std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
  if (!written) TellStdoutFailed(errno);
}

void WriteToStderr(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

int FinishStdout(int status) {
  // fclose flushes what is left; a file system may report a failed write only now (NFS, a full quota).
  if (std::fclose(stdout) != 0) TellStdoutFailed(errno);
  return gStdoutFailed && status == kExitSuccess ? kExitSomeFailed : status;
}

}  // namespace zk::cli
