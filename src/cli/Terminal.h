// Questions asked on the controlling terminal (/dev/tty), never through stdin/stdout, which scripts redirect.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/File.h"
#include "platform/SecretBytes.h"

namespace zk::cli {

class TTerminal {
 public:
  // Empty when the process has no controlling terminal.
  static std::optional<TTerminal> Open();

  // Shows the prompt and reads one line without echo; the echo comes back also when a signal ends the
  // process meanwhile. Empty when the input ends (Ctrl-D) before a line.
  std::optional<TSecretBytes> ReadHidden(std::string_view prompt);
  // Shows the prompt and reads one line with echo.
  std::optional<std::string> ReadLine(std::string_view prompt);
  // A terminal that went away is no reason to fail: what cannot be written is dropped.
  void Write(std::string_view text);

 private:
  explicit TTerminal(File file) : file_(std::move(file)) {}
  std::optional<TSecretBytes> ReadLineFromTerminal();

  File file_;
};

// One line of standard input without its line end ("\n" or "\r\n"); empty at end of input. Read a byte
// at a time, so that no buffer holds the line (a password) or anything after it.
TSecretBytes ReadStandardInputLine();

}  // namespace zk::cli
