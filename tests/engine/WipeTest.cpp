#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "EngineTestSupport.h"
#include "TempFolder.h"
#include "WriteProtection.h"
#include "engine/FileEngine.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/FileInfo.h"

namespace zk {
namespace {

class Wipe : public ::testing::Test {
 protected:
  // Wipes a file of the given content and returns what was on disk just before the deletion, seen through
  // a descriptor that keeps the file alive.
  std::string WipeAndObserve(const std::string& content) {
    const std::string path = folder.WriteFile("victim", content);
    File witness = File::OpenReadOnly(path);
    EXPECT_EQ(engine.WipeFile(path), TWipeOutcome::kOverwritten);
    EXPECT_FALSE(FileExists(path));
    std::string seen(static_cast<size_t>(witness.Size()), '\0');
    seen.resize(witness.Read(seen.data(), seen.size()));
    return seen;
  }

  test::TempFolder folder;
  TFileEngine engine;
};

TEST_F(Wipe, OnePassOf0x4EUpToTheNextWholeBlock) {
  struct Case {
    size_t size;
    size_t written;
  };
  for (const Case& c : {Case{0, 2048}, Case{1, 2048}, Case{2048, 2048}, Case{2049, 4096},
                        Case{300000, 301056}, Case{524288, 524288}, Case{524289, 526336}}) {
    EXPECT_EQ(WipeAndObserve(std::string(c.size, 'x')), std::string(c.written, '\x4E')) << c.size;
  }
}

TEST_F(Wipe, ShowsTheShareWrittenBeforeEachBlock) {
  test::TRecordingObserver observer;
  engine.Observer = &observer;
  engine.ProcessMsgInterval = 1;
  WipeAndObserve(std::string(10 * 2048, 'x'));
  ASSERT_EQ(observer.Lines.size(), 10u);
  EXPECT_EQ(observer.Lines[0], "不要データ抹消中：0%");
  EXPECT_EQ(observer.Lines[5], "不要データ抹消中：50%");
  EXPECT_EQ(observer.Lines[9], "不要データ抹消中：90%");
  EXPECT_EQ(observer.Pumps, 10);
}

TEST_F(Wipe, AnEmptyFileShowsNoPercentage) {
  test::TRecordingObserver observer;
  engine.Observer = &observer;
  engine.ProcessMsgInterval = 0;
  WipeAndObserve("");
  EXPECT_TRUE(observer.Lines.empty());
  EXPECT_EQ(observer.Pumps, 1);
}

TEST_F(Wipe, ASkipEndsTheOverwriteAfterTheCurrentBlockAndStillDeletes) {
  test::TRecordingObserver observer;
  observer.OnPump = [&](int pump) {
    if (pump == 3) engine.SkipWipeRequested = true;
  };
  engine.Observer = &observer;
  engine.ProcessMsgInterval = 1;
  const std::string seen = WipeAndObserve(std::string(100 * 2048, 'x'));
  EXPECT_EQ(seen, std::string(3 * 2048, '\x4E') + std::string(97 * 2048, 'x'));
}

TEST_F(Wipe, AnEarlierSkipRequestDoesNotCarryOver) {
  engine.SkipWipeRequested = true;
  EXPECT_EQ(WipeAndObserve(std::string(5000, 'x')), std::string(6144, '\x4E'));
  EXPECT_FALSE(engine.SkipWipeRequested);
}

TEST_F(Wipe, ALinkIsRemovedAndItsTargetKept) {
  const std::string target = folder.WriteFile("target", "keep me");
  const std::string link = folder.MakeLink("link", target);
  EXPECT_EQ(engine.WipeFile(link), TWipeOutcome::kLinkRemoved);
  EXPECT_FALSE(FileExists(link));
  EXPECT_EQ(test::TempFolder::ReadFile(target), "keep me");
  const std::string dangling = folder.MakeLink("dangling", folder.Path("nowhere"));
  EXPECT_EQ(engine.WipeFile(dangling), TWipeOutcome::kLinkRemoved);
  EXPECT_FALSE(FileExists(dangling));
}

// Overwriting a file with other hard links (a backup made with cp -al) would destroy their data too.
TEST_F(Wipe, AFileWithOtherHardLinksLosesOnlyThisName) {
  const std::string path = folder.WriteFile("f.txt", "shared data");
  ASSERT_EQ(::link(path.c_str(), folder.Path("g.txt").c_str()), 0);
  EXPECT_EQ(engine.WipeFile(path), TWipeOutcome::kNameRemoved);
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("g.txt")), "shared data");
}

// A source is wiped only as it was read; a file another ZK process is reading is never wiped.
TEST_F(Wipe, AFileChangedSinceItWasReadOrBeingReadIsLeftAlone) {
  const std::string path = folder.WriteFile("log.txt", "line 1\n");
  const TFileSnapshot read = File::OpenReadOnly(path).Snapshot();
  {
    File appender = File::OpenWriteOnly(path);
    appender.Seek(appender.Size());
    appender.Write("line 2\n", 7);
  }
  EXPECT_THROW(engine.WipeFile(path, &read), TSourceChanged);
  EXPECT_EQ(test::TempFolder::ReadFile(path), "line 1\nline 2\n");

  const TFileSnapshot now = File::OpenReadOnly(path).Snapshot();
  File reader = File::OpenReadOnly(path);
  ASSERT_TRUE(reader.TryLockShared());
  EXPECT_THROW(engine.WipeFile(path, &now), TSourceChanged);
  EXPECT_THROW(engine.WipeFile(path), FileError);
  EXPECT_EQ(test::TempFolder::ReadFile(path), "line 1\nline 2\n");
  reader = File();
  EXPECT_EQ(engine.WipeFile(path, &now), TWipeOutcome::kOverwritten);
  EXPECT_FALSE(FileExists(path));
}

TEST_F(Wipe, RefusesWhatItCannotOpenAndLeavesItAlone) {
  const std::string readOnly = folder.WriteFile("ro", "data");
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  const std::string pipe = folder.Path("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {readOnly, folder.MakeFolder("dir"), folder.Path("missing"), pipe}) {
    EXPECT_THROW(engine.WipeFile(path), FileError) << path;
  }
  EXPECT_EQ(test::TempFolder::ReadFile(readOnly), "data");
  EXPECT_TRUE(FileExists(folder.Path("dir")));
  EXPECT_TRUE(FileExists(pipe));
}

TEST_F(Wipe, AFailingDeletionIsAnError) {
  const std::string inner = folder.MakeFolder("locked");
  const std::string path = folder.WriteFile("locked/file", "data");
  test::WriteProtection lock(inner);
  if (!lock.Locked()) GTEST_SKIP() << "this file system cannot forbid deletions to root";
  EXPECT_THROW(engine.WipeFile(path), FileError);
  EXPECT_EQ(test::TempFolder::ReadFile(path), std::string(2048, '\x4E'));
}

// The file goes all the same, but the caller must learn that its old blocks may survive.
TEST_F(Wipe, AFailingWriteDeletesTheFileAndSaysTheOverwriteIsIncomplete) {
  const std::string path = folder.WriteFile("big", std::string(300000, 'x'));
  {
    test::TFileSizeLimit limit(200000);
    EXPECT_THROW(engine.WipeFile(path), TWipeIncomplete);
  }
  EXPECT_FALSE(FileExists(path));
}

// An empty file is padded to 2048 bytes, which a full disk refuses.
TEST_F(Wipe, OnAFullDiskAnEmptyFileIsDeletedWithoutACompleteOverwrite) {
  const std::string mountPoint = folder.MakeFolder("small");
  test::TSmallFileSystem small(mountPoint);
  if (!small.Mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here (needs root)";
  const std::string empty = folder.WriteFile("small/empty", "");
  small.Fill();
  EXPECT_THROW(engine.WipeFile(empty), TWipeIncomplete);
  EXPECT_FALSE(FileExists(empty));
}

}  // namespace
}  // namespace zk
