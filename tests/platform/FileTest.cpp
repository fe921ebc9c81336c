#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/Durability.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/Paths.h"
#include "platform/UnfinishedFiles.h"

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

TEST(File, ATemporaryIsNamedAfterItsTargetAndReadsAsUnfinished) {
  test::TempFolder temp;
  const File file = File::CreateTemporaryBeside(temp.Path("report.pdf"));
  const std::string name = LastComponent(file.Path());
  EXPECT_EQ(FolderPart(file.Path()), temp.Path());
  EXPECT_TRUE(name.starts_with("report.pdf" + std::string(kUnfinishedMark))) << name;
  EXPECT_EQ(name.size(), 10 + kUnfinishedMark.size() + 6);
  EXPECT_NE(File::CreateTemporaryBeside(temp.Path("report.pdf")).Path(), file.Path());

  // The longest name a file may have still leaves room for the mark: its end goes, at whole characters.
  std::string longName = "a";
  for (int i = 0; i < 84; ++i) longName += "漢";  // 253 bytes
  const std::string longTemporary = LastComponent(File::CreateTemporaryBeside(temp.Path(longName)).Path());
  EXPECT_LE(longTemporary.size(), kMaxFileNameBytes);
  EXPECT_EQ((longTemporary.find(kUnfinishedMark) - 1) % 3, 0u) << "cut between characters";
  EXPECT_TRUE(longName.starts_with(longTemporary.substr(0, longTemporary.find(kUnfinishedMark))));
}

TEST(File, StreamsAreOpenedForWritingOnlyWhenTheyAreStreams) {
  test::TempFolder temp;
  const std::string fifo = temp.Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // so that opening for writing goes on
  ASSERT_GE(reader, 0);
  {
    File stream = File::OpenStream(temp.MakeLink("link-to-fifo", fifo));
    stream.Write("abc", 3);
  }
  char buffer[8];
  EXPECT_EQ(::read(reader, buffer, sizeof buffer), 3);
  ::close(reader);
  EXPECT_NO_THROW(File::OpenStream("/dev/null"));
  const std::string regular = temp.WriteFile("regular", "keep");
  EXPECT_EQ(OpenErrorCode(File::OpenStream, regular), EINVAL);
  EXPECT_EQ(test::TempFolder::ReadFile(regular), "keep");
  EXPECT_EQ(OpenErrorCode(File::OpenStream, temp.Path("missing")), ENOENT);
}

TEST(File, WriteOnAReadOnlyDescriptorThrows) {
  test::TempFolder temp;
  File file = File::OpenReadOnly(temp.WriteFile("f", "x"));
  EXPECT_THROW(file.Write("y", 1), FileError);
}

// What a signal handler finds in the table: a temporary name goes, plain text is overwritten first, an
// unnamed file only loses its contents, and what was forgotten or has since been named stays whole.
TEST(UnfinishedFiles, TheRememberedOnesAreRemovedAndPlainTextOverwritten) {
  test::TempFolder temp;
  File named = File::CreateTemporaryBeside(temp.Path("plain"));
  File unnamed = File::CreateUnnamedBeside(temp.Path("plain2"));
  File renamed = File::CreateTemporaryBeside(temp.Path("final"));
  File forgotten = File::CreateTemporaryBeside(temp.Path("kept"));
  for (File* file : {&named, &unnamed, &renamed, &forgotten}) file->Write("secret", 6);
  const int tickets[] = {RememberUnfinished(named, named.Path(), true), RememberUnfinished(unnamed, "", true),
                         RememberUnfinished(renamed, renamed.Path(), true),
                         RememberUnfinished(forgotten, forgotten.Path(), false)};
  for (int ticket : tickets) ASSERT_GE(ticket, 0);
  ASSERT_EQ(::rename(renamed.Path().c_str(), temp.Path("final").c_str()), 0);
  ForgetUnfinished(tickets[3]);

  RemoveUnfinishedFiles();
  for (int ticket : tickets) ForgetUnfinished(ticket);

  char contents[6];
  ASSERT_EQ(::pread(unnamed.Descriptor(), contents, 6, 0), 6);
  EXPECT_EQ(std::string(contents, 6), std::string(6, '\0'));
  ASSERT_EQ(::pread(named.Descriptor(), contents, 6, 0), 6);
  EXPECT_EQ(std::string(contents, 6), std::string(6, '\0'));
  EXPECT_EQ(temp.Listing(), (std::vector<std::string>{"final", LastComponent(forgotten.Path())}));
  EXPECT_EQ(test::TempFolder::ReadFile(temp.Path("final")), "secret");
}

TEST(File, AnUnnamedFileGetsItsNameOnlyWhereNothingStands) {
  test::TempFolder temp;
  File file = File::CreateUnnamedBeside(temp.Path("out"));
  file.Write("data", 4);
  EXPECT_EQ(temp.Listing(), std::vector<std::string>{});
  struct stat info;
  ASSERT_EQ(::fstat(file.Descriptor(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  temp.WriteFile("taken", "old");
  EXPECT_FALSE(file.LinkAs(temp.Path("taken")));
  EXPECT_EQ(errno, EEXIST);
  ASSERT_TRUE(file.LinkAs(temp.Path("out")));
  EXPECT_EQ(test::TempFolder::ReadFile(temp.Path("out")), "data");
  EXPECT_EQ(test::TempFolder::ReadFile(temp.Path("taken")), "old");
}

// The snapshot tells a file read from one written to, cut, replaced or linked meanwhile.
TEST(File, ASnapshotChangesWithEveryChangeOfTheFile) {
  test::TempFolder temp;
  const std::string path = temp.WriteFile("f", "contents");
  const TFileSnapshot first = File::OpenReadOnly(path).Snapshot();
  EXPECT_EQ(File::OpenReadOnly(path).Snapshot(), first);
  EXPECT_EQ(first.Size, 8);

  const auto changed = [&](const std::function<void()>& change) {
    const TFileSnapshot before = File::OpenReadOnly(path).Snapshot();
    change();
    return !(File::OpenReadOnly(path).Snapshot() == before);
  };
  EXPECT_TRUE(changed([&] { File::OpenWriteOnly(path).Write("X", 1); })) << "same size, rewritten";
  EXPECT_TRUE(changed([&] { ASSERT_EQ(::truncate(path.c_str(), 3), 0); }));
  EXPECT_TRUE(changed([&] { ASSERT_EQ(::link(path.c_str(), temp.Path("g").c_str()), 0); }));
  EXPECT_TRUE(changed([&] {
    temp.WriteFile("h", "other");
    ASSERT_EQ(::rename(temp.Path("h").c_str(), path.c_str()), 0);
  }));
}

// A file one ZK process reads is not overwritten by another.
TEST(File, ASharedLockKeepsAnExclusiveOneOff) {
  test::TempFolder temp;
  const std::string path = temp.WriteFile("f", "x");
  File reader = File::OpenReadOnly(path);
  File otherReader = File::OpenReadOnly(path);
  File wiper = File::OpenForOverwrite(path);
  ASSERT_TRUE(reader.TryLockShared());
  EXPECT_TRUE(otherReader.TryLockShared());
  EXPECT_FALSE(wiper.TryLockExclusive());
  reader = File();
  otherReader = File();
  EXPECT_TRUE(wiper.TryLockExclusive());
  EXPECT_FALSE(File::OpenReadOnly(path).TryLockShared());
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
