#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/Durability.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "TempFolder.h"

namespace zk {
namespace {

int OpenErrorCode(File (*open)(const std::string&), const std::string& path) {
  try {
    open(path);
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    return error.Code();
  }
  return 0;
}

TEST(File, DefaultOpenRefusesReadOnlyFilesEvenForRootAndFolders) {
  test::TempFolder temp;
  const std::string readOnly = temp.WriteFile("r", "x");
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_EQ(OpenErrorCode(File::OpenReadWrite, readOnly), EACCES);
  EXPECT_EQ(OpenErrorCode(File::OpenReadWrite, temp.MakeFolder("d")), EISDIR);
  EXPECT_EQ(OpenErrorCode(File::OpenReadWrite, temp.Path("missing")), ENOENT);
  EXPECT_EQ(OpenErrorCode(File::OpenReadWrite, temp.WriteFile("w", "x")), 0);
  EXPECT_EQ(OpenErrorCode(File::OpenReadOnly, temp.Path("d")), EISDIR);
}

TEST(File, WriteOnlyOpenNeverFollowsALink) {
  test::TempFolder temp;
  const std::string target = temp.WriteFile("target", "keep");
  EXPECT_EQ(OpenErrorCode(File::OpenWriteOnly, temp.MakeLink("link", target)), ELOOP);
  EXPECT_EQ(test::TempFolder::ReadFile(target), "keep");
}

TEST(File, CreateNewNeverReplaces) {
  test::TempFolder temp;
  const std::string path = temp.WriteFile("existing", "keep");
  EXPECT_EQ(OpenErrorCode(File::CreateNew, path), EEXIST);
  EXPECT_EQ(test::TempFolder::ReadFile(path), "keep");
  EXPECT_EQ(OpenErrorCode(File::CreateNew, temp.Path("fresh")), 0);
}

TEST(File, WritesReadsSeeksAndTruncates) {
  test::TempFolder temp;
  const std::string path = temp.WriteFile("f", "old content that is longer");
  {
    File file = File::Create(path);
    EXPECT_EQ(file.Size(), 0);
    file.Write("0123456789", 10);
    file.Sync();
    file.Close();
    EXPECT_FALSE(file.IsOpen());
  }
  File file = File::OpenReadWrite(path);
  file.Seek(4);
  file.Write("ab", 2);
  file.Seek(0);
  char buffer[32];
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 10u);  // short at the end, not an error
  EXPECT_EQ(std::string(buffer, 10), "0123ab6789");
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);

  File moved = std::move(file);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(moved.IsOpen());
  EXPECT_EQ(moved.Size(), 10);
}

TEST(File, WriteOnAReadOnlyDescriptorThrows) {
  test::TempFolder temp;
  File file = File::OpenReadOnly(temp.WriteFile("f", "x"));
  EXPECT_THROW(file.Write("y", 1), FileError);
}

TEST(Durability, SyncsFilesAndFoldersAndReportsMissingOnes) {
  test::TempFolder temp;
  const std::string path = temp.WriteFile("f", "x");
  EXPECT_NO_THROW(SyncFile(path));
  EXPECT_NO_THROW(SyncFolderOf(path));
  EXPECT_THROW(SyncFile(temp.Path("missing")), FileError);
  EXPECT_THROW(SyncFolderOf(temp.Path("missing/f")), FileError);
}

}  // namespace
}  // namespace zk
