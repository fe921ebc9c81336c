// zkcli asked to stop in the middle of a file (Ctrl-C, kill, a closed terminal, any signal that ends a
// process): the unfinished output goes and the process ends by the signal, so that a shell sees the status
// 128 + signal. A file-size limit is an ordinary write failure.
#include <gtest/gtest.h>
#include <sys/resource.h>
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
  bool twoAtOnce = false;  // two files with -j 2
};

class Stopped : public ::testing::TestWithParam<SignalCase> {};

TEST_P(Stopped, RemovesTheUnfinishedOutputAndEndsByTheSignal) {
  TempFolder folder;
  folder.WriteFile("big.bin", PlainBytes(8 << 20));
  std::vector<std::string> arguments{"encrypt", "-p", "pw", "big.bin"};
  std::string output = "big.bin.enc";
  if (GetParam().twoAtOnce) {
    folder.WriteFile("big2.bin", PlainBytes(8 << 20));
    arguments = {"encrypt", "-p", "pw", "-j", "2", "big.bin", "big2.bin"};
  }
  if (GetParam().decrypt) {
    ASSERT_EQ(RunZkcli(arguments, folder.Path()).exitCode, 0);
    std::filesystem::remove(folder.Path("big.bin"));
    arguments = {"decrypt", "-p", "pw", "big.bin.enc"};
    output = "big.bin";
  }
  const pid_t child = StartZkcli(arguments, folder.Path());
  ASSERT_TRUE(WaitForOutputInProgress(child, folder.Path()));
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
                                           SignalCase{"DecryptHungUp", SIGHUP, true},
                                           SignalCase{"DecryptUser1", SIGUSR1, true},
                                           SignalCase{"DecryptAlarm", SIGALRM, true},
                                           SignalCase{"EncryptUser2", SIGUSR2, false},
                                           SignalCase{"EncryptTwoAtOnceInterrupted", SIGINT, false, true}),
                         [](const auto& info) { return info.param.name; });

TEST(FileSizeLimit, IsAWriteFailureThatLeavesNothing) {
  TempFolder folder;
  folder.WriteFile("big.bin", PlainBytes(4 << 20));
  ASSERT_EQ(RunZkcli({"encrypt", "-p", "pw", "big.bin"}, folder.Path()).exitCode, 0);
  std::filesystem::remove(folder.Path("big.bin"));
  rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit limit = saved;
  limit.rlim_cur = 1 << 20;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);  // inherited by zkcli, with SIGXFSZ at its default
  const ZkcliResult result = RunZkcli({"decrypt", "-p", "pw", "big.bin.enc"}, folder.Path());
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "＊復号不可：big.bin.enc\n");
  EXPECT_EQ(folder.Listing(), std::vector<std::string>{"big.bin.enc"});
}

}  // namespace
}  // namespace zk::test
