// Rows that a folder search lists besides files: what each mode's row makes of them.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "DeepTree.h"
#include "TempFolder.h"
#include "engine/BatchRules.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"
#include "platform/FileInfo.h"
#include "platform/Paths.h"

namespace zk {
namespace {

// H/Documents/thesis.txt, the link H/old/docs -> ../Documents, an unfinished output H/old/a.txt.enc.zk-
// unfinished-k3x9q2 and the readable folder H/.kept.
class SearchEntries : public ::testing::Test {
 protected:
  SearchEntries() {
    temp_.MakeFolder("H/old");
    temp_.MakeFolder("H/Documents");
    temp_.WriteFile("H/Documents/thesis.txt", "thesis");
    temp_.MakeLink("H/old/docs", "../Documents");
    temp_.WriteFile("H/old/a.txt.enc.zk-unfinished-k3x9q2", "half");
    temp_.MakeFolder("H/.kept");
    options_.Password = "pw";
    options_.WipeSource = options_.WipeDecryptedSource = true;
  }

  TRowResult Row(TBatchMode mode, const std::string& path) {
    switch (mode) {
      case TBatchMode::kEncrypt:
        return EncryptRow(engine_, path, options_);
      case TBatchMode::kDecrypt:
        return DecryptRow(engine_, path, options_);
      case TBatchMode::kWipe:
        break;
    }
    return WipeRow(engine_, path);
  }

  test::TempFolder temp_;
  TFileEngine engine_;
  TBatchOptions options_;
};

// The deepest folder of a tree deeper than any usable path that a path can still name: the paths of its
// entries are too long to work on.
std::string DeepestNamedFolder(const test::DeepTree& tree) {
  int level = 0;
  while (tree.Folder(level + 1).size() - 1 < PATH_MAX) ++level;
  const std::string folder = tree.Folder(level);
  return folder.substr(0, folder.size() - 1);
}

TEST_F(SearchEntries, EachModeReportsThemAndLeavesThemAsTheyAre) {
  test::TempFolder deepRoot;
  const test::DeepTree deep(deepRoot.Path(), 1500);
  struct Case {
    TBatchMode mode;
    std::string path;
    TResultKind kind;
  };
  const std::string link = temp_.Path("H/old/docs");
  const std::string unfinished = temp_.Path("H/old/a.txt.enc.zk-unfinished-k3x9q2");
  const std::string tooDeep = DeepestNamedFolder(deep);
  const std::vector<Case> cases = {
      {TBatchMode::kEncrypt, link, TResultKind::kEncryptFolderLinkNotFollowed},
      {TBatchMode::kDecrypt, link, TResultKind::kDecryptFolderLinkNotFollowed},
      {TBatchMode::kEncrypt, tooDeep, TResultKind::kFolderUnreadable},
      {TBatchMode::kDecrypt, tooDeep, TResultKind::kFolderUnreadable},
      {TBatchMode::kWipe, tooDeep, TResultKind::kFolderUnreadable},
      {TBatchMode::kEncrypt, unfinished, TResultKind::kUnfinishedFileSkipped},
      {TBatchMode::kDecrypt, unfinished, TResultKind::kUnfinishedFileSkipped},
      // A folder that can be read (the wipe bin takes a hidden one as a file) is refused as before.
      {TBatchMode::kWipe, temp_.Path("H/.kept"), TResultKind::kWipeFailed},
  };
  for (const Case& c : cases) {
    const TRowResult row = Row(c.mode, c.path);
    const std::string what = std::to_string(static_cast<int>(c.mode)) + " " + LastComponent(c.path);
    EXPECT_EQ(row.Kind, c.kind) << what;
    EXPECT_TRUE(row.Failed()) << what;
    EXPECT_TRUE(FileExists(c.path)) << what;
  }
  EXPECT_EQ(test::TempFolder::ReadFile(unfinished), "half");
  EXPECT_EQ(test::TempFolder::ReadFile(temp_.Path("H/Documents/thesis.txt")), "thesis");
  for (const char* folder : {"H/old", "H/Documents"}) {
    const auto entries = std::filesystem::directory_iterator(temp_.Path(folder));
    EXPECT_EQ(std::distance(begin(entries), end(entries)), folder == std::string("H/old") ? 2 : 1)
        << folder << ": no output was made";
  }
}

// A wipe never reaches through a link to a folder: the link goes, the folder and its files stay.
TEST_F(SearchEntries, AWipeRemovesALinkToAFolderOnly) {
  const TRowResult row = WipeRow(engine_, temp_.Path("H/old/docs"));
  EXPECT_EQ(row.Kind, TResultKind::kLinkOnlyWiped);
  EXPECT_EQ(row.LinkTarget, std::filesystem::canonical(temp_.Path("H/Documents")).string());
  EXPECT_FALSE(FileExists(temp_.Path("H/old/docs")));
  EXPECT_EQ(test::TempFolder::ReadFile(temp_.Path("H/Documents/thesis.txt")), "thesis");
}

}  // namespace
}  // namespace zk
