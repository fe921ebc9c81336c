// Names and hints reach zkcli's output with their control characters escaped: one file is always one line,
// and neither a file's name nor a crafted container can forge a result line or steer the terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "HandMadeContainer.h"
#include "TempFolder.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

// A name as it lies on the disk and as zkcli prints it.
struct OddName {
  std::string raw;
  std::string shown;
};

const OddName kOddNames[] = {
    {"new\nline.txt", "new\\nline.txt"},
    {"x\n復号成功 : forged", "x\\n復号成功 : forged"},
    {"title\x1b]0;pwned\x07\x1b[2J", "title\\x1b]0;pwned\\x07\\x1b[2J"},
    {"csi\xc2\x9b"
     "2J tab\there",
     "csi\\xc2\\x9b2J tab\\there"},
    {"carriage\rreturn", "carriage\\rreturn"},
    // Not UTF-8: printed as its bytes, which a UTF-8 terminal does not act on.
    {"sjis\x83\x81\xff", "sjis\x83\x81\xff"},
};

size_t LineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

TEST(ZkcliEscapedOutput, EveryCommandPrintsOneLinePerOddName) {
  TempFolder folder;
  std::string encrypted, hints, decrypted, digests;
  std::vector<std::string> paths;
  for (const OddName& name : kOddNames) {
    paths.push_back(folder.WriteFile(name.raw, "abc"));
    const std::string path = folder.Path() + name.shown;
    encrypted += "暗号化成功：" + path + "\n";
    hints += "\\x1b[2J\\n復号成功 : fake \\\\n\t" + path + ".enc\n";
    decrypted += "復号成功 : " + path + ".enc\t" + path + "\n";
    digests += "A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D\t" + path + "\n";
  }
  std::vector<std::string> containers;
  for (const std::string& path : paths) containers.push_back(path + ".enc");
  auto run = [&](std::vector<std::string> words, const std::vector<std::string>& files) {
    words.insert(words.end(), files.begin(), files.end());
    return RunZkcli(words, folder.Path());
  };

  ZkcliResult result =
      run({"encrypt", "-j", "1", "-p", "pw", "--hint", "\x1b[2J\n復号成功 : fake \\n"}, paths);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, encrypted);
  EXPECT_EQ(run({"sha1"}, paths).out, digests);
  EXPECT_EQ(run({"hint"}, containers).out, hints);
  EXPECT_EQ(run({"wipe", "--yes"}, paths).exitCode, 0);
  result = run({"decrypt", "-j", "1", "-p", "pw"}, containers);
  EXPECT_EQ(result.out, decrypted);
  EXPECT_EQ(LineCount(result.out), std::size(kOddNames));
  EXPECT_EQ(result.exitCode, 0) << result.err;
}

// A container made elsewhere chooses its stored name and hint freely.
TEST(ZkcliEscapedOutput, ACraftedContainerCannotForgeALine) {
  TempFolder folder;
  const std::string container =
      folder.WriteFile("crafted.enc", HandMadeContainer({.Password = "pw",
                                                         .Hint = "\x1b]0;owned\x07hint",
                                                         .Name = "plain\n復号成功 : forged\x1b[2J",
                                                         .Plain = "x"}));
  EXPECT_EQ(RunZkcli({"hint", container}, folder.Path()).out, "\\x1b]0;owned\\x07hint\t" + container + "\n");
  const ZkcliResult result = RunZkcli({"decrypt", "-p", "pw", container}, folder.Path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "復号成功 : " + container + "\t" + folder.Path() + "plain\\n復号成功 : forged\\x1b[2J\n");
  EXPECT_EQ(TempFolder::ReadFile(folder.Path() + "plain\n復号成功 : forged\x1b[2J"), "x");
}

// Messages and notes on stderr, and the progress bar on a terminal, name files the same way.
TEST(ZkcliEscapedOutput, MessagesAndTheProgressBarEscapeNamesToo) {
  TempFolder folder;
  const std::string missing = folder.Path("gone\\\n\x1b[2J");
  const std::string shownMissing = folder.Path("gone\\\\\\n\\x1b[2J");
  ZkcliResult result = RunZkcli({"sha1", missing}, folder.Path());
  EXPECT_EQ(result.err, "zkcli: " + shownMissing + ": File not found ! (No such file or directory)\n");
  result = RunZkcli({"encrypt", "-p", "pw", missing}, folder.Path());
  EXPECT_EQ(result.err, "zkcli: no such file or folder: " + shownMissing + "\nTry 'zkcli --help'.\n");
  result = RunZkcli({"hint", "--\x1b]0;x\x07"}, folder.Path());
  EXPECT_EQ(result.err, "zkcli: unknown option '--\\x1b]0;x\\x07'\nTry 'zkcli --help'.\n");

  const std::string big = folder.WriteFile("big\x1b]0;pwned\x07", std::string(1 << 20, 'x'));
  result = RunZkcli({"encrypt", "-p", "pw", big}, folder.Path(), "", Stderr::kTerminal);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.err.find("[1/1Files]big\\x1b]0;pwned\\x07を暗号化中"), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("\x1b]"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace zk::test
