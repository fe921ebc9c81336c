// What zkcli makes of a folder's contents besides its files: links to folders, folders it cannot read (or
// not in full) and the unfinished outputs of an interrupted run. Each is a failing line of its own.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <sstream>
#include <string>

#include "DeepTree.h"
#include "FileStatus.h"
#include "TempFolder.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

// H/old/notes.txt and the link H/old/docs -> ../Documents, which leads to H/Documents/thesis.txt. A wipe
// removes the link only and names the folder it led to; an encryption or decryption does not follow it.
TEST(ZkcliFolderSearch, ALinkToAFolderInsideIsNeverEntered) {
  struct Case {
    std::vector<std::string> arguments;
    std::string linkText;  // before the link's path; a wipe's names the folder between its two parts
    std::string notesLine;
  };
  const std::vector<Case> cases = {
      {{"wipe", "--yes", "H/old"},
       "＊リンクのみ削除(リンク先は抹消されていません：",
       "抹消成功 : H/old/notes.txt"},
      {{"encrypt", "-p", "pw", "--wipe-source", "H/old"},
       "＊暗号化失敗(フォルダへのリンクは辿りません)：",
       "暗号化成功：H/old/notes.txt"},
      {{"decrypt", "-p", "pw", "--wipe-source", "H/old"},
       "＊復号失敗(フォルダへのリンクは辿りません) : ",
       "＊復号不可：H/old/notes.txt"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    folder.MakeFolder("H/old");
    folder.MakeFolder("H/Documents");
    folder.WriteFile("H/Documents/thesis.txt", "thesis");
    folder.WriteFile("H/old/notes.txt", "notes");
    folder.MakeLink("H/old/docs", "../Documents");
    const bool wipe = c.arguments[0] == "wipe";
    const std::string linkText =
        wipe ? c.linkText + std::filesystem::canonical(folder.Path("H/Documents")).string() + ") : "
             : c.linkText;

    const ZkcliResult result = RunZkcli(c.arguments, folder.Path());
    EXPECT_EQ(result.exitCode, 1) << c.arguments[0];
    EXPECT_EQ(result.out, linkText + "H/old/docs\n" + c.notesLine + "\n") << c.arguments[0];
    EXPECT_EQ(TempFolder::ReadFile(folder.Path("H/Documents/thesis.txt")), "thesis") << c.arguments[0];
    EXPECT_FALSE(Exists(folder.Path("H/Documents/thesis.txt.enc"))) << c.arguments[0];
    EXPECT_EQ(Exists(folder.Path("H/old/docs")), !wipe) << c.arguments[0];
  }
}

// The user for whom a folder at mode 000 cannot be read: nobody, when the tests run as root.
bool CanRunAsNobody() {
  return ::access("/usr/sbin/runuser", X_OK) == 0 || ::access("/sbin/runuser", X_OK) == 0;
}

// w holds the file a, the folder listed at mode 0444 (its names can be read, its entries not reached) and
// the folder locked at mode 000. Given inside w or on their own, such folders are failing lines, never a
// silent gap.
TEST(ZkcliFolderSearch, AFolderThatCannotBeReadIsALineOfItsOwn) {
  const bool root = ::geteuid() == 0;
  if (root && !CanRunAsNobody()) GTEST_SKIP() << "runuser is not available to run zkcli as nobody";
  const std::string unreadable = "＊フォルダを読み取れません：";
  struct Case {
    std::vector<std::string> given;
    std::string out;
  };
  const std::vector<Case> cases = {
      {{"w"}, "抹消成功 : w/a\n" + unreadable + "w/listed\n" + unreadable + "w/locked\n"},
      {{"w/locked", "w/listed"}, unreadable + "w/locked\n" + unreadable + "w/listed\n"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    folder.MakeFolder("w/locked");
    folder.MakeFolder("w/listed");
    folder.WriteFile("w/a", "a");
    folder.WriteFile("w/locked/inside", "inside");
    folder.WriteFile("w/listed/inside", "inside");
    if (root) {
      const passwd* nobody = ::getpwnam("nobody");
      ASSERT_NE(nobody, nullptr);
      ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
      for (const char* name : {"w", "w/a", "w/locked", "w/listed", "w/listed/inside"})
        ASSERT_EQ(::chown(folder.Path(name).c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    ASSERT_EQ(::chmod(folder.Path("w/locked").c_str(), 0), 0);
    ASSERT_EQ(::chmod(folder.Path("w/listed").c_str(), 0444), 0);

    std::vector<std::string> arguments{"wipe", "--yes"};
    arguments.insert(arguments.end(), c.given.begin(), c.given.end());
    const ZkcliResult result =
        root ? RunZkcliAs("nobody", arguments, folder.Path()) : RunZkcli(arguments, folder.Path());
    EXPECT_EQ(result.exitCode, 1) << c.given[0];
    EXPECT_EQ(result.out, c.out) << c.given[0] << "\n" << result.err;
    for (const char* name : {"w/locked", "w/listed"}) {
      ::chmod(folder.Path(name).c_str(), 0700);
      EXPECT_EQ(TempFolder::ReadFile(folder.Path(name) + "/inside"), "inside");
    }
  }
}

// A tree 2000 folders deep (paths up to 6 KB): every file is wiped down to the first folder whose entries'
// paths are too long to use, and that folder is a failing line; nothing below it is left in silence.
TEST(ZkcliFolderSearch, AFolderTooDeepToUseIsALineOfItsOwn) {
  TempFolder folder;
  const DeepTree tree(folder.Path(), 2000);
  const ZkcliResult result = RunZkcli({"wipe", "--yes", "-j", "2", folder.Path()}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  std::istringstream lines(result.out);
  int wiped = 0;
  std::vector<std::string> others;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("抹消成功 : ")) {
      ++wiped;
    } else {
      others.push_back(line);
    }
  }
  ASSERT_EQ(others.size(), 1u) << "one line that is not a wiped file";
  const std::string tooDeep = tree.Folder(wiped);
  EXPECT_TRUE(others[0] == "＊フォルダを読み取れません：" + tooDeep.substr(0, tooDeep.size() - 1))
      << "the folder too deep to use, right below the last wiped file's";
  EXPECT_GE(tooDeep.size() + 2, size_t{PATH_MAX}) << "cut off before the limit";
  EXPECT_LT(wiped, tree.Levels());
}

// A file an interrupted run left unfinished is never taken from a folder to encrypt or decrypt: it stays as
// it is, its line fails, and zkcli says on stderr what it is. A wipe takes it as any file.
TEST(ZkcliFolderSearch, AnUnfinishedFileIsLeftAsItIsButWiped) {
  const std::string unfinished = "f/b.txt.enc.zk-unfinished-k3x9q2";
  const std::string skipped = "＊中断された処理の未完成ファイルです(処理しません)：" + unfinished + "\n";
  for (const char* command : {"encrypt", "decrypt"}) {
    TempFolder folder;
    folder.MakeFolder("f");
    folder.WriteFile(unfinished, "half");
    const ZkcliResult result = RunZkcli({command, "-p", "correct horse battery staple", "f"}, folder.Path());
    EXPECT_EQ(result.exitCode, 1) << command;
    EXPECT_EQ(result.out, skipped) << command;
    EXPECT_EQ(result.err, "zkcli: " + unfinished + ": unfinished file of an interrupted run, left as it is\n");
    EXPECT_EQ(TempFolder::ReadFile(folder.Path(unfinished)), "half");
    EXPECT_EQ(folder.Listing(), (std::vector<std::string>{"f/", unfinished}));
  }
  TempFolder folder;
  folder.MakeFolder("f");
  folder.WriteFile(unfinished, "half");
  const ZkcliResult result = RunZkcli({"wipe", "--yes", "f"}, folder.Path());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "抹消成功 : " + unfinished + "\n");
  EXPECT_FALSE(Exists(folder.Path(unfinished)));
}

}  // namespace
}  // namespace zk::test
