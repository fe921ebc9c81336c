// zkcli asked to stop in the middle of a file (Ctrl-C, kill, a closed terminal): the unfinished output goes
// and the process ends by the signal, so that a shell sees the status 128 + signal.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "FileStatus.h"
#include "InterruptedRun.h"
#include "TempFolder.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

struct SignalCase {
  const char* name;
  int signal;
  bool decrypt;
};

class Stopped : public ::testing::TestWithParam<SignalCase> {};

TEST_P(Stopped, RemovesTheUnfinishedOutputAndEndsByTheSignal) {
  TempFolder folder;
  folder.WriteFile("big.bin", PlainBytes(8 << 20));
  std::vector<std::string> arguments{"encrypt", "-p", "pw", "big.bin"};
  std::string output = "big.bin.enc";
  if (GetParam().decrypt) {
    ASSERT_EQ(RunZkcli(arguments, folder.Path()).exitCode, 0);
    std::filesystem::remove(folder.Path("big.bin"));
    arguments = {"decrypt", "-p", "pw", "big.bin.enc"};
    output = "big.bin";
  }
  const pid_t child = StartZkcli(arguments, folder.Path());
  ASSERT_TRUE(WaitForUnfinished(folder.Path()));
  ::kill(child, GetParam().signal);
  const int status = WaitForZkcli(child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "it ended by itself, status " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), GetParam().signal);
  EXPECT_EQ(UnfinishedNames(folder.Path()), std::vector<std::string>{});
  EXPECT_FALSE(Exists(folder.Path(output)));
}

INSTANTIATE_TEST_SUITE_P(Zkcli, Stopped,
                         ::testing::Values(SignalCase{"EncryptInterrupted", SIGINT, false},
                                           SignalCase{"DecryptInterrupted", SIGINT, true},
                                           SignalCase{"EncryptTerminated", SIGTERM, false},
                                           SignalCase{"DecryptTerminated", SIGTERM, true},
                                           SignalCase{"DecryptHungUp", SIGHUP, true}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zk::test
