// Runs the built zkcli as a child process, the way a script would.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zk::test {

struct ZkcliResult {
  int exitCode = -1;  // -1 when the process did not end normally
  std::string out;
  std::string err;
};

enum class Stderr { kPipe, kTerminal };
// Where stdout goes: a pipe the test reads, /dev/full (every write fails with ENOSPC), or nowhere (closed).
enum class Stdout { kPipe, kFull, kClosed };

// Runs zkcli with the arguments in `folder`, feeding `input` on stdin. The child runs in a session of its
// own, so it has no controlling terminal: any question it would ask on the terminal is refused. With
// Stderr::kTerminal its stderr is a pseudo-terminal (which still is not its controlling terminal).
ZkcliResult RunZkcli(const std::vector<std::string>& arguments, const std::string& folder,
                     const std::string& input = "", Stderr stderrKind = Stderr::kPipe,
                     Stdout stdoutKind = Stdout::kPipe);

// The same as `user`, through runuser (which needs root; the caller checks that it can be run).
ZkcliResult RunZkcliAs(const std::string& user, const std::vector<std::string>& arguments,
                       const std::string& folder);

// One question of a terminal dialogue: once `prompt` has appeared, `answer` is typed.
struct TerminalExchange {
  std::string prompt;
  std::string answer;
};

// Runs zkcli with a pseudo-terminal as its controlling terminal and stdin, stdout and stderr, typing the
// answers as their prompts appear. `out` holds everything the terminal showed; `err` stays empty.
ZkcliResult RunZkcliOnTerminal(const std::vector<std::string>& arguments, const std::string& folder,
                               const std::vector<TerminalExchange>& dialogue);

// Starts zkcli in `folder` without waiting for it, with stdin, stdout and stderr on /dev/null (or stdin and
// stderr on the descriptors given), in a session of its own and with the default action for every signal,
// so that a test can end it from outside.
pid_t StartZkcli(const std::vector<std::string>& arguments, const std::string& folder, int in = -1,
                 int err = -1);
// Waits for a started zkcli and returns its wait status.
int WaitForZkcli(pid_t child);

}  // namespace zk::test
