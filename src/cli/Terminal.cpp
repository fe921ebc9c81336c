#include "cli/Terminal.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

#include "platform/FileError.h"

namespace zk::cli {
namespace {

// The terminal state to restore when a signal arrives while the echo is off. A signal handler can reach
// only such process-wide values.
volatile sig_atomic_t gEchoOffFd = -1;
termios gSavedMode{};

constexpr int kRestoringSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr size_t kSignalCount = std::size(kRestoringSignals);

extern "C" void RestoreEchoAndReraise(int signal) {
  if (gEchoOffFd >= 0) tcsetattr(gEchoOffFd, TCSANOW, &gSavedMode);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Echo off for one scope, with the signal handlers above in place meanwhile.
class TEchoOff {
 public:
  explicit TEchoOff(int fd) : fd_(fd) {
    if (tcgetattr(fd, &gSavedMode) != 0) return;
    termios quiet = gSavedMode;
    quiet.c_lflag &= ~(ECHO | ECHONL);
    quiet.c_lflag |= ICANON;
    for (size_t i = 0; i < kSignalCount; ++i)
      previous_[i] = std::signal(kRestoringSignals[i], RestoreEchoAndReraise);
    gEchoOffFd = fd;
    active_ = tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
  }
  ~TEchoOff() {
    if (gEchoOffFd < 0) return;
    if (active_) tcsetattr(fd_, TCSANOW, &gSavedMode);
    gEchoOffFd = -1;
    for (size_t i = 0; i < kSignalCount; ++i) std::signal(kRestoringSignals[i], previous_[i]);
  }
  TEchoOff(const TEchoOff&) = delete;
  TEchoOff& operator=(const TEchoOff&) = delete;

 private:
  int fd_;
  bool active_ = false;
  void (*previous_[kSignalCount])(int) = {};
};

}  // namespace

std::optional<TTerminal> TTerminal::Open() {
  try {
    return TTerminal(File::OpenReadWrite("/dev/tty"));
  } catch (const FileError&) {
    return std::nullopt;  // no controlling terminal
  }
}

void TTerminal::Write(std::string_view text) {
  try {
    file_.Write(text.data(), text.size());
  } catch (const FileError&) {
    // Nothing more can be shown on a terminal that went away.
  }
}

std::optional<TSecretBytes> TTerminal::ReadLineFromTerminal() {
  TSecretBytes line;
  try {
    for (char c; file_.Read(&c, 1) == 1;) {
      if (c == '\n') return line;
      line.Append({&c, 1});
    }
  } catch (const FileError&) {
    // A read error ends the input as Ctrl-D does.
  }
  if (line.Empty()) return std::nullopt;
  return line;
}

std::optional<TSecretBytes> TTerminal::ReadHidden(std::string_view prompt) {
  std::optional<TSecretBytes> line;
  {
    TEchoOff echoOff(file_.Descriptor());  // before the prompt, so that nothing typed after it can be echoed
    Write(prompt);
    line = ReadLineFromTerminal();
  }
  Write("\n");  // the user's Enter was not echoed
  return line;
}

std::optional<std::string> TTerminal::ReadLine(std::string_view prompt) {
  Write(prompt);
  const std::optional<TSecretBytes> line = ReadLineFromTerminal();
  if (!line) return std::nullopt;
  return std::string(line->View());
}

TSecretBytes ReadStandardInputLine() {
  TSecretBytes line;
  char c;
  for (;;) {
    const ssize_t n = read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n != 1 || c == '\n') break;
    line.Append({&c, 1});
  }
  if (line.View().ends_with('\r')) line.RemoveLast();
  return line;
}

}  // namespace zk::cli
