#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/File.h"
#include "platform/FileInfo.h"
#include "TempFolder.h"

namespace zk {
namespace {

TEST(FileInfo, AttributeWords) {
  test::TempFolder temp;
  const std::string readOnly = temp.WriteFile("readonly");
  ::chmod(readOnly.c_str(), 0444);
  const std::string readOnlyFolder = temp.MakeFolder("rofolder");
  ::chmod(readOnlyFolder.c_str(), 0555);
  struct Case {
    std::string path;
    uint32_t attributes;
  } cases[] = {
      {temp.WriteFile("plain"), kAttrArchive},
      {readOnly, kAttrArchive | kAttrReadOnly},
      {temp.WriteFile(".hidden"), kAttrArchive | kAttrHidden},
      {temp.MakeFolder("folder"), kAttrDirectory},
      {temp.Path("folder/"), kAttrDirectory},
      {temp.MakeFolder(".hiddenfolder"), kAttrDirectory | kAttrHidden},
      {readOnlyFolder, kAttrDirectory | kAttrReadOnly},
      // A link to a folder is a folder, as a file manager shows it; any other link is like a file and is
      // never read-only.
      {temp.MakeLink("folderlink", temp.Path("folder")), kAttrDirectory},
      {temp.MakeLink(".hiddenlink", readOnlyFolder), kAttrDirectory | kAttrHidden},
      {temp.MakeLink("filelink", readOnly), kAttrArchive},
      {temp.MakeLink("dangling", temp.Path("nowhere")), kAttrArchive},
      {temp.Path("missing"), kAttrInvalid},
      {"", kAttrInvalid},
  };
  for (const Case& c : cases) EXPECT_EQ(FileAttributes(c.path), c.attributes) << c.path;
}

TEST(FileInfo, ReadOnlyFollowsLinksAndExistenceDoesNot) {
  test::TempFolder temp;
  const std::string readOnly = temp.WriteFile("readonly");
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_TRUE(IsReadOnlyFile(readOnly));
  EXPECT_TRUE(IsReadOnlyFile(temp.MakeLink("link", readOnly)));
  EXPECT_FALSE(IsReadOnlyFile(temp.WriteFile("plain")));
  EXPECT_FALSE(IsReadOnlyFile(temp.Path("missing")));

  EXPECT_TRUE(FileExists(temp.MakeLink("dangling", temp.Path("nowhere"))));
  EXPECT_TRUE(FileExists(temp.Path("plain")));
  EXPECT_FALSE(FileExists(temp.Path("missing")));
}

TEST(FileInfo, QueryFileSize) {
  test::TempFolder temp;
  EXPECT_EQ(QueryFileSize(temp.WriteFile("five", "12345")), 5);
  EXPECT_EQ(QueryFileSize(temp.WriteFile("empty")), 0);
  EXPECT_EQ(QueryFileSize(temp.Path("missing")), -1);
  EXPECT_EQ(QueryFileSize(temp.MakeFolder("folder")), -1);

  constexpr int64_t kBeyond4GiB = (int64_t{5} << 30) + 3;
  const std::string sparse = temp.WriteFile("sparse");
  ASSERT_EQ(::truncate(sparse.c_str(), kBeyond4GiB), 0);
  EXPECT_EQ(QueryFileSize(sparse), kBeyond4GiB);
  EXPECT_EQ(QueryEntry(sparse).size, kBeyond4GiB);
  EXPECT_EQ(File::OpenReadOnly(sparse).Size(), kBeyond4GiB);
}

}  // namespace
}  // namespace zk
