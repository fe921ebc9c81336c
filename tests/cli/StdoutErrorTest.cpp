// A write error on standard output is an error of the command, as in coreutils: exit status 1 and the reason
// on stderr, once, whichever command printed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

struct StdoutCase {
  Stdout kind;
  const char* told;
};

// Strong enough that encrypt has nothing to say on stderr but the write error.
constexpr char kPassword[] = "correct horse battery staple";

TEST(ZkcliStdoutErrors, AFullOrClosedStdoutFailsEveryCommand) {
  TempFolder folder;
  const std::string plain = folder.WriteFile("a.txt", "plain");
  const std::string other = folder.WriteFile("b.txt", "other");
  ASSERT_EQ(RunZkcli({"encrypt", "-p", kPassword, plain}, folder.Path()).exitCode, 0);
  const std::string container = plain + ".enc";
  const std::vector<std::vector<std::string>> commands = {
      {"sha1", plain, other},
      {"hint", container},
      {"check-value", "-p", kPassword},
      {"encrypt", "-p", kPassword, "-j", "1", plain, other},
      {"decrypt", "-p", kPassword, container},
      {"--help"},
  };
  const StdoutCase cases[] = {
      {Stdout::kFull, "zkcli: write error: No space left on device\n"},
      {Stdout::kClosed, "zkcli: write error: Bad file descriptor\n"},
  };
  for (const StdoutCase& c : cases)
    for (const std::vector<std::string>& words : commands) {
      const ZkcliResult result = RunZkcli(words, folder.Path(), "", Stderr::kPipe, c.kind);
      EXPECT_EQ(result.exitCode, 1) << words[0] << ": " << c.told;
      EXPECT_EQ(result.err, c.told) << words[0];
    }
}

// The work is done all the same; with stdout closed, no file the run opens takes its place and its lines.
TEST(ZkcliStdoutErrors, TheFilesAreStillWorkedOnAndKeepTheirContents) {
  TempFolder folder;
  const std::string plain = folder.WriteFile("a.txt", std::string(100000, 'p'));
  const ZkcliResult encrypted = RunZkcli({"encrypt", "-p", "pw", "-o", folder.Path("a.zk"), plain},
                                         folder.Path(), "", Stderr::kPipe, Stdout::kClosed);
  EXPECT_EQ(encrypted.exitCode, 1);
  const ZkcliResult decrypted =
      RunZkcli({"decrypt", "-p", "pw", "-o", folder.Path("back"), folder.Path("a.zk")}, folder.Path(), "",
               Stderr::kPipe, Stdout::kClosed);
  EXPECT_EQ(decrypted.exitCode, 1);
  EXPECT_EQ(TempFolder::ReadFile(folder.Path("back")), std::string(100000, 'p'));
  EXPECT_EQ(TempFolder::ReadFile(plain), std::string(100000, 'p'));
}

}  // namespace
}  // namespace zk::test
