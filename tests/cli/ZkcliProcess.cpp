#include "ZkcliProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <stdexcept>

#include "TempFolder.h"

namespace zk::test {
namespace {

struct Pipe {
  int read = -1;
  int write = -1;
  Pipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    read = fds[0];
    write = fds[1];
  }
};

void CloseOnce(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Appends what the descriptor has to offer; closes it at its end (or, for a terminal, its hang-up).
void Drain(int& fd, std::string& text) {
  char buffer[65536];
  const ssize_t n = read(fd, buffer, sizeof buffer);
  if (n <= 0) {
    CloseOnce(fd);
    return;
  }
  text.append(buffer, static_cast<size_t>(n));
}

// Feeds the input and drains both outputs together, so that no pipe fills up and blocks the child.
void Exchange(int in, const std::string& input, int out, std::string& outText, int err,
              std::string& errText) {
  size_t fed = 0;
  if (input.empty()) CloseOnce(in);
  while (out >= 0 || err >= 0) {
    pollfd fds[3] = {{out, POLLIN, 0}, {err, POLLIN, 0}, {in, POLLOUT, 0}};
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("poll failed");
    }
    if (fds[2].revents) {
      const ssize_t n = write(in, input.data() + fed, input.size() - fed);
      if (n > 0) fed += static_cast<size_t>(n);
      if (n <= 0 || fed == input.size()) CloseOnce(in);
    }
    if (fds[0].revents) Drain(out, outText);
    if (fds[1].revents) Drain(err, errText);
  }
  CloseOnce(in);
}

std::vector<std::string> CommandWords(const std::vector<std::string>& arguments) {
  std::vector<std::string> words{ZKCLI_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return words;
}

std::vector<char*> Argv(std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return argv;
}

int WaitForExit(pid_t child) {
  const int status = WaitForZkcli(child);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Reads from the terminal until `text` has appeared after `from`; false when the output ends first or
// nothing comes for 10 seconds.
bool ReadUntil(int terminal, std::string& shown, size_t& from, const std::string& text) {
  for (;;) {
    const size_t found = shown.find(text, from);
    if (found != std::string::npos) {
      from = found + text.size();
      return true;
    }
    pollfd ready{terminal, POLLIN, 0};
    if (poll(&ready, 1, 10000) <= 0) return false;
    char buffer[4096];
    const ssize_t n = read(terminal, buffer, sizeof buffer);
    if (n <= 0) return false;
    shown.append(buffer, static_cast<size_t>(n));
  }
}

}  // namespace

int WaitForZkcli(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

pid_t StartZkcli(const std::vector<std::string>& arguments, const std::string& folder, int in, int err) {
  std::vector<std::string> words = CommandWords(arguments);
  std::vector<char*> argv = Argv(words);
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    setsid();
    // A test run started in the background may have inherited ignored signals.
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
    const int null = open("/dev/null", O_RDWR);
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) dup2(null, fd);
    if (in >= 0) dup2(in, STDIN_FILENO);
    if (err >= 0) dup2(err, STDERR_FILENO);
    if (chdir(folder.c_str()) != 0) _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return child;
}

ZkcliResult RunZkcliOnTerminal(const std::vector<std::string>& arguments, const std::string& folder,
                               const std::vector<TerminalExchange>& dialogue) {
  std::vector<std::string> words = CommandWords(arguments);
  std::vector<char*> argv = Argv(words);
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child < 0) throw std::runtime_error("forkpty failed");
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
  }
  ZkcliResult result;
  size_t from = 0;
  for (const TerminalExchange& exchange : dialogue) {
    if (!ReadUntil(terminal, result.out, from, exchange.prompt)) break;
    if (write(terminal, exchange.answer.data(), exchange.answer.size()) < 0) break;
  }
  while (terminal >= 0) Drain(terminal, result.out);  // to the hang-up when the child ends
  result.exitCode = WaitForExit(child);
  return result;
}

namespace {

ZkcliResult RunCommand(std::vector<std::string> words, const std::string& folder, const std::string& input,
                       Stderr stderrKind, Stdout stdoutKind) {
  std::vector<char*> argv = Argv(words);

  Pipe in, out, err;
  if (stderrKind == Stderr::kTerminal) {
    close(err.read);
    close(err.write);
    if (openpty(&err.read, &err.write, nullptr, nullptr, nullptr) != 0)
      throw std::runtime_error("openpty failed");
    fcntl(err.read, F_SETFD, FD_CLOEXEC);
    fcntl(err.write, F_SETFD, FD_CLOEXEC);
  }
  signal(SIGPIPE, SIG_IGN);  // a child that does not read its input must not end the test
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    setsid();
    dup2(in.read, STDIN_FILENO);
    dup2(out.write, STDOUT_FILENO);
    dup2(err.write, STDERR_FILENO);
    if (stdoutKind == Stdout::kFull) dup2(open("/dev/full", O_WRONLY | O_CLOEXEC), STDOUT_FILENO);
    if (stdoutKind == Stdout::kClosed) close(STDOUT_FILENO);
    if (chdir(folder.c_str()) != 0) _exit(126);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(in.read);
  close(out.write);
  close(err.write);

  ZkcliResult result;
  Exchange(in.write, input, out.read, result.out, err.read, result.err);
  result.exitCode = WaitForExit(child);
  return result;
}

}  // namespace

ZkcliResult RunZkcli(const std::vector<std::string>& arguments, const std::string& folder,
                     const std::string& input, Stderr stderrKind, Stdout stdoutKind) {
  return RunCommand(CommandWords(arguments), folder, input, stderrKind, stdoutKind);
}

ZkcliResult RunZkcliAs(const std::string& user, const std::vector<std::string>& arguments,
                       const std::string& folder) {
  // A copy the user may run, wherever the build tree lies.
  TempFolder copyFolder;
  const std::string copy = copyFolder.Path("zkcli");
  std::filesystem::copy_file(ZKCLI_PATH, copy);
  if (::chmod(copyFolder.Path().c_str(), 0755) != 0 || ::chmod(copy.c_str(), 0755) != 0)
    throw std::runtime_error("cannot share the copy of zkcli");
  std::vector<std::string> words{"runuser", "-u", user, "--", copy};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return RunCommand(std::move(words), folder, "", Stderr::kPipe, Stdout::kPipe);
}

}  // namespace zk::test
