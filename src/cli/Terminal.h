// Questions asked on the controlling terminal (/dev/tty), never through stdin/stdout, which scripts redirect.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zk::cli {

class Terminal {
 public:
  // Empty when the process has no controlling terminal.
  static std::optional<Terminal> Open();

  Terminal(Terminal&& other) noexcept;
  Terminal& operator=(Terminal&&) = delete;
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  ~Terminal();

  // Shows the prompt and reads one line without echo; the echo comes back also when a signal ends the
  // process meanwhile. Empty when the input ends (Ctrl-D) before a line.
  std::optional<std::string> ReadHidden(std::string_view prompt);
  // Shows the prompt and reads one line with echo.
  std::optional<std::string> ReadLine(std::string_view prompt);
  void Write(std::string_view text);

 private:
  explicit Terminal(int fd) : fd_(fd) {}
  std::optional<std::string> ReadLineFromTerminal();

  int fd_ = -1;
};

// One line of standard input without its line end ("\n" or "\r\n"); empty at end of input.
std::string ReadStandardInputLine();

}  // namespace zk::cli
