#include <gtest/gtest.h>
#include <unistd.h>

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

TEST_F(FindFileTest, LinkedFoldersAreListedAsFolders) {
  temp_.MakeLink("link", temp_.Path("s"));
  TFindFile finder = MakeIntakeFinder(true);
  finder.Directory = root_;
  finder.Execute();
  EXPECT_EQ(finder.Files(), Paths({"a", "b", "link", "s", "t", "s/c", "s/u", "t/z", "s/u/y"}));
  EXPECT_EQ(finder.FolderCount(), 4);
}

// Links to folders, given directly or met inside a search. A file is listed once, under the path of its own
// folder when the tree has it, and no link leads the search round in a loop. In the table, paths are
// relative to the searched root ("" is the root itself), and "@" is a folder outside it holding o and deep/p.
TEST_F(FindFileTest, LinksToFoldersAreFollowedOnceAndNeverInALoop) {
  struct Link {
    const char* name;
    const char* target;
  };
  struct Case {
    const char* what;
    std::vector<Link> links;
    std::vector<const char*> given;
    bool recurse;
    std::vector<const char*> files;
  };
  const std::vector<Case> cases = {
      {"a link given directly is expanded", {{"ls", "s"}}, {"ls"}, true, {"ls/c", "ls/u/y"}},
      {"the same without subfolders", {{"ls", "s"}}, {"ls"}, false, {"ls/c"}},
      {"a link inside leads out of the tree",
       {{"s/out", "@"}},
       {""},
       true,
       {"a", "b", "s/c", "t/z", "s/u/y", "s/out/o", "s/out/deep/p"}},
      {"without subfolders a link inside is a folder", {{"out", "@"}}, {""}, false, {"a", "b"}},
      {"a link back to the root", {{"s/u/back", ""}}, {""}, true, {"a", "b", "s/c", "t/z", "s/u/y"}},
      {"a link to a folder holding the root",
       {{"s/up", ".."}},
       {""},
       true,
       {"a", "b", "s/c", "t/z", "s/u/y"}},
      {"a link to a folder of the tree", {{"a-link", "s/u"}}, {""}, true, {"a", "b", "s/c", "t/z", "s/u/y"}},
      {"two links to one folder",
       {{"l1", "@"}, {"t/l2", "@"}},
       {""},
       true,
       {"a", "b", "s/c", "t/z", "s/u/y", "l1/o", "l1/deep/p"}},
      {"two links given directly",
       {{"l1", "@"}, {"l2", "@/deep"}},
       {"l1", "l2"},
       true,
       {"l1/o", "l1/deep/p", "l2/p"}},
      {"a loop through a folder outside",
       {{"s/x", "@"}, {"@/back", ""}},
       {""},
       true,
       {"a", "b", "s/c", "t/z", "s/u/y", "s/x/o", "s/x/deep/p"}},
  };
  for (const Case& c : cases) {
    test::TempFolder root;
    test::TempFolder outside;
    outside.WriteFile("o");
    outside.MakeFolder("deep");
    outside.WriteFile("deep/p");
    root.WriteFile("b", "b");
    root.WriteFile("a", "a");
    root.MakeFolder("s/u");
    root.WriteFile("s/c");
    root.WriteFile("s/u/y");
    root.MakeFolder("t");
    root.WriteFile("t/z");
    auto place = [&](std::string_view path) {
      if (path.starts_with("@"))
        return outside.Path(std::string(path.substr(path.starts_with("@/") ? 2 : 1)));
      return root.Path(std::string(path));
    };
    for (const Link& link : c.links)
      ASSERT_EQ(::symlink(place(link.target).c_str(), place(link.name).c_str()), 0);
    std::vector<std::string> given, expected;
    for (const char* path : c.given) given.push_back(root.Path(path));
    for (const char* path : c.files) expected.push_back(root.Path(path));
    EXPECT_EQ(CollectFiles(given, c.recurse), expected) << c.what;
    TFindFile finder = MakeIntakeFinder(c.recurse);
    EXPECT_EQ(CollectWipeBinFiles(finder, given), expected) << c.what;
  }
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
