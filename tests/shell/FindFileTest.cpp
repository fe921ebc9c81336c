#include <gtest/gtest.h>

#include "TempFolder.h"
#include "shell/FindFile.h"
#include "shell/PathIntake.h"

namespace zk {
namespace {

// root: a (1 byte), b (22 bytes), s/c, s/u/y, t/z
class FindFileTest : public ::testing::Test {
 protected:
  FindFileTest() {
    temp_.WriteFile("b", std::string(22, 'b'));
    temp_.WriteFile("a", "a");
    temp_.MakeFolder("s/u");
    temp_.WriteFile("s/c");
    temp_.WriteFile("s/u/y");
    temp_.MakeFolder("t");
    temp_.WriteFile("t/z");
  }

  std::vector<std::string> Paths(std::initializer_list<const char*> names) const {
    std::vector<std::string> paths;
    for (const char* name : names) paths.push_back(temp_.Path(name));
    return paths;
  }

  test::TempFolder temp_;
  const std::string root_ = temp_.Path();
};

TEST_F(FindFileTest, ListsBreadthFirstWithNamesSortedWithinAFolder) {
  TFindFile finder = MakeIntakeFinder(true);
  finder.Directory = root_;
  finder.Execute();
  EXPECT_EQ(finder.Files(), Paths({"a", "b", "s", "t", "s/c", "s/u", "t/z", "s/u/y"}));
  EXPECT_EQ(finder.FileCount(), 5);
  EXPECT_EQ(finder.FolderCount(), 3);
  EXPECT_EQ(finder.TotalSize(), 23);

  finder.Recurse = false;
  finder.Directory = root_.substr(0, root_.size() - 1);  // without the final separator
  finder.Execute();
  EXPECT_EQ(finder.Files(), Paths({"a", "b", "s", "t"}));
  EXPECT_EQ(finder.FileCount(), 2);
}

TEST_F(FindFileTest, IntakeAddsFilesAndExpandsFolders) {
  EXPECT_EQ(CollectFiles({root_}, true), Paths({"a", "b", "s/c", "t/z", "s/u/y"}));
  EXPECT_EQ(CollectFiles({root_}, false), Paths({"a", "b"}));
  // Order of the given paths is kept; a file is taken as it is, a missing path contributes nothing.
  EXPECT_EQ(CollectFiles(Paths({"t", "missing", "b"}), true), Paths({"t/z", "b"}));
}

TEST_F(FindFileTest, DefaultAttributesLeaveFoldersOutButStillSearchThem) {
  TFindFile finder;
  finder.Recurse = true;
  finder.Directory = root_;
  finder.Execute();
  EXPECT_EQ(finder.Files(), Paths({"a", "b", "s/c", "t/z", "s/u/y"}));
  EXPECT_EQ(finder.FolderCount(), 0);
}

TEST_F(FindFileTest, HiddenEntries) {
  temp_.WriteFile(".hidden");
  temp_.MakeFolder(".hs");
  temp_.WriteFile(".hs/d");
  EXPECT_EQ(CollectFiles({root_}, true), Paths({".hidden", "a", "b", ".hs/d", "s/c", "t/z", "s/u/y"}));

  // Without ffHidden the hidden file is left out, the hidden folder is searched all the same.
  TFindFile finder;
  finder.Attributes = {ffArchive};
  finder.Recurse = true;
  finder.Directory = root_;
  finder.Execute();
  EXPECT_EQ(finder.Files(), Paths({"a", "b", ".hs/d", "s/c", "t/z", "s/u/y"}));
}

TEST_F(FindFileTest, LinkedFoldersAreListedButNotEntered) {
  temp_.MakeLink("link", temp_.Path("s"));
  TFindFile finder = MakeIntakeFinder(true);
  finder.Directory = temp_.Path("t");
  finder.Execute();
  ASSERT_EQ(finder.Files(), Paths({"t/z"}));

  finder.Directory = root_;
  finder.Execute();
  EXPECT_EQ(finder.Files(), Paths({"a", "b", "link", "s", "t", "s/c", "s/u", "t/z", "s/u/y"}));
  EXPECT_EQ(CollectFiles({root_}, true), Paths({"a", "b", "link", "s/c", "t/z", "s/u/y"}));
  EXPECT_EQ(CollectFiles(Paths({"link"}), true), Paths({"link"}));
}

TEST_F(FindFileTest, EmptyMissingAndUnsetFoldersFindNothing) {
  temp_.MakeFolder("empty");
  TFindFile finder = MakeIntakeFinder(true);
  int events = 0;
  finder.BeforeExecute = [&](TFindFile&) { ++events; };
  finder.AfterExecute = [&](TFindFile&) { ++events; };
  for (const std::string& directory :
       {temp_.Path("empty"), temp_.Path("missing"), temp_.Path("a"), std::string()}) {
    finder.Directory = directory;
    finder.Execute();
    EXPECT_TRUE(finder.Files().empty()) << directory;
    EXPECT_EQ(finder.FileCount() + finder.FolderCount() + finder.TotalSize(), 0);
  }
  EXPECT_EQ(events, 8);
  EXPECT_TRUE(CollectFiles(Paths({"empty", "missing"}), true).empty());
}

TEST_F(FindFileTest, FilterMatchesNamesWithoutRegardToCase) {
  temp_.WriteFile("s/x.TXT");
  temp_.WriteFile("s/y.txt.bak");
  TFindFile finder;
  finder.Recurse = true;
  finder.Directory = root_;
  finder.Filter = "*.txt";
  finder.Execute();
  EXPECT_EQ(finder.Files(), Paths({"s/x.TXT"}));
  finder.Filter = "?";
  finder.Execute();
  EXPECT_EQ(finder.Files(), Paths({"a", "b", "s/c", "t/z", "s/u/y"}));
}

TEST_F(FindFileTest, NewPathAnnouncesEachFolderAndCanAbort) {
  TFindFile finder = MakeIntakeFinder(true);
  finder.Directory = root_;
  std::vector<std::string> announced;
  finder.OnNewPath = [&](TFindFile&, const std::string& path, bool& abort) {
    announced.push_back(path);
    abort = announced.size() == 3;
  };
  finder.Execute();
  EXPECT_EQ(announced, Paths({"", "s/", "t/"}));
  EXPECT_EQ(finder.Files(), Paths({"a", "b", "s", "t", "s/c", "s/u"}));  // t itself was not listed
}

TEST_F(FindFileTest, WipeBinExpandsOnlyPlainFolders) {
  temp_.MakeFolder(".hiddenfolder");
  temp_.WriteFile(".hiddenfolder/inside");
  const std::vector<std::string> dropped = Paths({"t", ".hiddenfolder", "missing", "a"});
  TFindFile finder = MakeIntakeFinder(true);
  EXPECT_EQ(CollectWipeBinFiles(finder, dropped), Paths({"t/z", ".hiddenfolder", "missing", "a"}));
  EXPECT_EQ(CollectFiles(finder, dropped), Paths({"t/z", ".hiddenfolder/inside", "a"}));
}

}  // namespace
}  // namespace zk
