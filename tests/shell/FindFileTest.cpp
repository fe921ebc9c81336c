#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "DeepTree.h"
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

// Links to folders, given directly or met inside a search. A link given directly stands for its folder;
// one met inside a search is never entered (its folder lies outside the tree, or holds it), so no file is
// reached through it and no link leads round in a loop: it is listed as an entry of its own, for the batch
// to report. In the table, paths are relative to the searched root ("" is the root itself), and "@" is a
// folder outside it holding o and deep/p.
TEST_F(FindFileTest, LinksToFoldersStandForTheirFolderOnlyWhenGivenDirectly) {
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
      {"a link inside leading out of the tree is not entered",
       {{"s/out", "@"}},
       {""},
       true,
       {"a", "b", "s/c", "s/out", "t/z", "s/u/y"}},
      {"without subfolders a link inside is listed too", {{"out", "@"}}, {""}, false, {"a", "b", "out"}},
      {"a link back to the root",
       {{"s/u/back", ""}},
       {""},
       true,
       {"a", "b", "s/c", "t/z", "s/u/back", "s/u/y"}},
      {"a link to a folder holding the root",
       {{"s/up", ".."}},
       {""},
       true,
       {"a", "b", "s/c", "s/up", "t/z", "s/u/y"}},
      {"a link to a folder of the tree",
       {{"a-link", "s/u"}},
       {""},
       true,
       {"a", "a-link", "b", "s/c", "t/z", "s/u/y"}},
      {"two links given directly",
       {{"l1", "@"}, {"l2", "@/deep"}},
       {"l1", "l2"},
       true,
       {"l1/o", "l1/deep/p", "l2/p"}},
      {"a link given directly whose folder links back",
       {{"l1", "@"}, {"@/back", ""}},
       {"l1"},
       true,
       {"l1/back", "l1/o", "l1/deep/p"}},
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

// A tree deeper than any path the file operations take: its files are listed down to the first folder
// whose entries' paths would be too long; that folder is an entry of its own, so that what lies below it is
// reported rather than left out in silence.
TEST(FindFileDeepTree, TheFolderTooDeepToUseIsAnEntryOfItsOwn) {
  test::TempFolder temp;
  const test::DeepTree tree(temp.Path(), 2000);
  TFindFile finder = MakeIntakeFinder(true);
  for (const auto& rows : {CollectFiles({temp.Path()}, true), CollectWipeBinFiles(finder, {temp.Path()})}) {
    // Each folder lists its subfolder before its file f: the folder too deep to use stands before the f of
    // the folder above it.
    ASSERT_GE(rows.size(), 2u);
    const int tooDeep = static_cast<int>(rows.size()) - 1;
    ASSERT_LT(tooDeep, tree.Levels());
    std::vector<std::string> expected;
    for (int level = 0; level < tooDeep; ++level) {
      if (level == tooDeep - 1)
        expected.push_back(tree.Folder(tooDeep).substr(0, tree.Folder(tooDeep).size() - 1));
      expected.push_back(tree.Folder(level) + "f");
    }
    EXPECT_TRUE(rows == expected) << "the rows differ from every file down to the folder too deep to use";
    EXPECT_GE(tree.Folder(tooDeep).size() + 2, size_t{PATH_MAX}) << "cut off before the limit";
  }
  EXPECT_EQ(finder.UnreadableFolders().size(), 1u);
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
    EXPECT_TRUE(finder.UnreadableFolders().empty()) << directory;
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
