// zkcli waiting for its password cannot be read by another process of the same user: started as an
// ordinary user (through runuser, so the test needs root), it is not dumpable, while an ordinary program of
// that user is, which shows that the check can tell the two apart.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

constexpr char kUser[] = "nobody";

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// runuser stays as the parent of the program it runs: the program is its only child.
pid_t ChildOf(pid_t parent) {
  const std::string id = std::to_string(parent);
  std::istringstream children(ReadText("/proc/" + id + "/task/" + id + "/children"));
  pid_t child = 0;
  children >> child;
  return child;
}

// Waits until runuser's child runs `program` and sleeps in it (zkcli: reading its password).
pid_t WaitUntilWaiting(pid_t runuser, const std::string& program) {
  for (int i = 0; i < 1000; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const pid_t child = ChildOf(runuser);
    if (child == 0) continue;
    const std::string proc = "/proc/" + std::to_string(child);
    std::error_code error;
    if (std::filesystem::read_symlink(proc + "/exe", error) != program) continue;
    if (ReadText(proc + "/stat").find(") S ") != std::string::npos) return child;
  }
  return 0;
}

// Starts `words` as kUser, stdin on a pipe that stays empty.
pid_t StartAsUser(const std::vector<std::string>& words, int in) {
  std::vector<std::string> command{"runuser", "-u", kUser, "--"};
  command.insert(command.end(), words.begin(), words.end());
  std::vector<char*> argv;
  for (std::string& word : command) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    dup2(in, STDIN_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return child;
}

// Whether another process of kUser may open the program's memory.
bool UserCanOpenMemory(pid_t pid) {
  const std::string open = "exec 3< /proc/" + std::to_string(pid) + "/mem";
  const std::string command = std::string("runuser -u ") + kUser + " -- sh -c '" + open + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

TEST(NotDumpable, ZkcliWaitingForItsPasswordKeepsItsMemoryFromTheUsersOtherProcesses) {
  if (geteuid() != 0) GTEST_SKIP() << "runuser needs root";
  // A copy the user may run, wherever the build tree lies.
  TempFolder folder;
  const std::string zkcli = folder.Path("zkcli");
  std::filesystem::copy_file(ZKCLI_PATH, zkcli);
  ASSERT_EQ(chmod(folder.Path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(zkcli.c_str(), 0755), 0);
  const std::string sleep = std::filesystem::canonical("/bin/sleep");

  struct Case {
    std::vector<std::string> words;
    bool readable;
  };
  const Case cases[] = {
      {{sleep, "60"}, true},
      {{zkcli, "check-value", "--password-stdin"}, false},
      {{zkcli, "check-strength", "--password-stdin"}, false},
  };
  for (const Case& c : cases) {
    int in[2];
    ASSERT_EQ(pipe2(in, O_CLOEXEC), 0);
    const pid_t runuser = StartAsUser(c.words, in[0]);
    const pid_t program = WaitUntilWaiting(runuser, c.words.front());
    ASSERT_NE(program, 0) << c.words[1];
    struct stat memory {};
    ASSERT_EQ(stat(("/proc/" + std::to_string(program) + "/mem").c_str(), &memory), 0);
    // A process that is not dumpable has its /proc files owned by root.
    EXPECT_EQ(memory.st_uid != 0, c.readable) << c.words[1];
    EXPECT_EQ(UserCanOpenMemory(program), c.readable) << c.words[1];
    kill(program, SIGKILL);
    close(in[1]);
    close(in[0]);
    WaitForZkcli(runuser);
  }
}

}  // namespace
}  // namespace zk::test
