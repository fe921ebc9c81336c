// Bad usage ends with status 2, a message naming the fault on stderr, and nothing done.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

struct UsageCase {
  const char* name;  // the case's name in the test list
  std::vector<std::string> arguments;
  std::string message;  // part of what stderr must say
};

class UsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageTest, RefusedWithStatus2AndNothingDone) {
  TempFolder folder;
  folder.WriteFile("a.txt", "plain");
  folder.MakeFolder("d");
  folder.WriteFile("d/b.txt", "plain");
  const std::vector<std::string> before = folder.Listing();

  const ZkcliResult result = RunZkcli(GetParam().arguments, folder.Path(), "typed\n");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
  EXPECT_EQ(folder.Listing(), before);
}

const std::string kLongHint(751, 'h');

INSTANTIATE_TEST_SUITE_P(
    Zkcli, UsageTest,
    ::testing::Values(
        UsageCase{"NoCommand", {}, "no command"},
        UsageCase{"UnknownCommand", {"frobnicate", "a.txt"}, "unknown command 'frobnicate'"},
        UsageCase{
            "EncryptUnknownOption", {"encrypt", "-p", "x", "--bogus", "a.txt"}, "unknown option '--bogus'"},
        UsageCase{"PasswordWithoutValue", {"encrypt", "a.txt", "-p"}, "-p/--password needs a value"},
        UsageCase{"UnknownAlgorithmName",
                  {"encrypt", "-p", "x", "-a", "blowfish", "a.txt"},
                  "bad algorithm 'blowfish'"},
        UsageCase{
            "AlgorithmNumberOutOfRange", {"encrypt", "-p", "x", "-a", "3", "a.txt"}, "bad algorithm '3'"},
        UsageCase{
            "LevelAboveFour", {"encrypt", "-p", "x", "--level", "5", "a.txt"}, "bad security level '5'"},
        UsageCase{
            "LevelZeroAttached", {"encrypt", "-p", "x", "--level=0", "a.txt"}, "bad security level '0'"},
        UsageCase{
            "UnknownNaming", {"encrypt", "-p", "x", "--naming", "plain", "a.txt"}, "bad naming 'plain'"},
        UsageCase{"ExtensionWithSlash", {"encrypt", "-p", "x", "--ext", "../up", "a.txt"}, "--ext"},
        UsageCase{"HintTooLong", {"encrypt", "-p", "x", "--hint", kLongHint, "a.txt"}, "hint is too long"},
        UsageCase{"EncryptWithoutPaths", {"encrypt", "-p", "x"}, "no paths"},
        UsageCase{"NoJobs", {"encrypt", "-p", "x", "-j", "0", "a.txt"}, "bad number of jobs '0'"},
        UsageCase{"JobsNotANumber", {"wipe", "--yes", "--jobs=all", "a.txt"}, "bad number of jobs 'all'"},
        UsageCase{"JobsForHint", {"hint", "-j", "2", "a.txt"}, "-j/--jobs does not apply to 'hint'"},
        UsageCase{"JobsAttachedNotANumber", {"wipe", "--yes", "-jx", "a.txt"}, "bad number of jobs 'x'"},
        UsageCase{"ValueAttachedToAFlag", {"wipe", "-yes", "a.txt"}, "-y/--yes takes no value"},
        UsageCase{"DecryptMissingFile",
                  {"decrypt", "-p", "x", "a.txt", "missing.enc"},
                  "no such file or folder: missing.enc"},
        UsageCase{"OutputForAFolder", {"encrypt", "-p", "x", "-o", "out.enc", "d"}, "-o takes a single file"},
        UsageCase{"OutputIsAFolder", {"encrypt", "-p", "x", "-o", "d", "a.txt"}, "-o names a folder"},
        UsageCase{"OutputForTwoFiles",
                  {"decrypt", "-p", "x", "-o", "out", "a.txt", "d/b.txt"},
                  "-o takes exactly one file"},
        UsageCase{"PasswordTwice", {"encrypt", "-p", "x", "--password-stdin", "a.txt"}, "exclude each other"},
        UsageCase{"Sha1WithYes", {"sha1", "--yes", "a.txt"}, "does not apply to 'sha1'"},
        UsageCase{"HintWithWipeSource", {"hint", "--wipe-source", "a.txt"}, "does not apply to 'hint'"},
        UsageCase{"YesWithValue", {"wipe", "--yes=1", "a.txt"}, "takes no value"},
        UsageCase{"CheckValueWithPath", {"check-value", "-p", "x", "a.txt"}, "check-value takes no paths"},
        // Without -p the password and the wipe confirmation are asked on the terminal, and there is none.
        UsageCase{"DecryptWithoutTerminal", {"decrypt", "a.txt"}, "no terminal"},
        UsageCase{"WipeWithoutTerminal", {"wipe", "a.txt"}, "--yes"}),
    [](const ::testing::TestParamInfo<UsageCase>& info) { return info.param.name; });

TEST(ZkcliHelp, ListsTheGrammarAndSucceeds) {
  TempFolder folder;
  for (const char* word : {"--help", "-h", "help"}) {
    const ZkcliResult result = RunZkcli({word}, folder.Path());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("zkcli encrypt [-p PASSWORD | --password-stdin] [--hint TEXT]"),
              std::string::npos);
    EXPECT_NE(result.out.find("zkcli check-value [-p PASSWORD | --password-stdin]"), std::string::npos);
    EXPECT_EQ(result.err, "");
  }
  EXPECT_EQ(RunZkcli({"encrypt", "--help"}, folder.Path()).exitCode, 0);
}

}  // namespace
}  // namespace zk::test
