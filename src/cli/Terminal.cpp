#include "cli/Terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>
#include <iterator>

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
class EchoOff {
 public:
  explicit EchoOff(int fd) : fd_(fd) {
    if (tcgetattr(fd, &gSavedMode) != 0) return;
    termios quiet = gSavedMode;
    quiet.c_lflag &= ~(ECHO | ECHONL);
    quiet.c_lflag |= ICANON;
    for (size_t i = 0; i < kSignalCount; ++i)
      previous_[i] = std::signal(kRestoringSignals[i], RestoreEchoAndReraise);
    gEchoOffFd = fd;
    active_ = tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
  }
  ~EchoOff() {
    if (gEchoOffFd < 0) return;
    if (active_) tcsetattr(fd_, TCSANOW, &gSavedMode);
    gEchoOffFd = -1;
    for (size_t i = 0; i < kSignalCount; ++i) std::signal(kRestoringSignals[i], previous_[i]);
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  int fd_;
  bool active_ = false;
  void (*previous_[kSignalCount])(int) = {};
};

}  // namespace

std::optional<Terminal> Terminal::Open() {
  const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  return Terminal(fd);
}

Terminal::Terminal(Terminal&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

Terminal::~Terminal() {
  if (fd_ >= 0) close(fd_);
}

void Terminal::Write(std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(fd_, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    text.remove_prefix(static_cast<size_t>(written));
  }
}

std::optional<std::string> Terminal::ReadLineFromTerminal() {
  std::string line;
  for (;;) {
    char c;
    const ssize_t got = read(fd_, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return line.empty() ? std::nullopt : std::optional(line);
    if (c == '\n') return line;
    line.push_back(c);
  }
}

std::optional<std::string> Terminal::ReadHidden(std::string_view prompt) {
  std::optional<std::string> line;
  {
    EchoOff echoOff(fd_);  // before the prompt, so that nothing typed after it can be echoed
    Write(prompt);
    line = ReadLineFromTerminal();
  }
  Write("\n");  // the user's Enter was not echoed
  return line;
}

std::optional<std::string> Terminal::ReadLine(std::string_view prompt) {
  Write(prompt);
  return ReadLineFromTerminal();
}

std::string ReadStandardInputLine() {
  std::string line;
  std::getline(std::cin, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace zk::cli
