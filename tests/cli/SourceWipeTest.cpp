// What a source wipe never destroys: lines a writer appends while a run waits or reads, a file another ZK
// process is reading, and the data a file shares with its other hard links.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "FileStatus.h"
#include "InterruptedRun.h"
#include "TempFolder.h"
#include "ZkcliProcess.h"
#include "platform/File.h"
#include "platform/FileError.h"

namespace zk::test {
namespace {

constexpr char kEncryptedSourceChanged[] =
    "＊暗号化成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません)：";

// Appends numbered lines to a file, one about every millisecond, until stopped or the file is gone;
// counts them.
class Appender {
 public:
  explicit Appender(const std::string& path)
      : thread_([this, path] {
          while (!stop_) {
            std::optional<File> opened;
            try {
              opened.emplace(File::OpenWriteOnly(path));
            } catch (const FileError&) {
              return;  // wiped: the test checks that the container holds every line
            }
            File& file = *opened;
            file.Seek(file.Size());
            const std::string line = "line " + std::to_string(lines_ + 1) + "\n";
            file.Write(line.data(), line.size());
            ++lines_;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
          }
        }) {}
  ~Appender() { Stop(); }
  int Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return lines_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> lines_{0};
  std::thread thread_;
};

int LineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// With two files at once the small log waits for the big file before it is named and wiped: the lines a
// logger writes meanwhile must survive, and the run says that the source was kept. One file at a time,
// the log is read and wiped at once: it may be wiped only when no line came in between, and then the
// container holds every line.
TEST(SourceWipe, KeepsAFileAppendedToWhileItsRowWaits) {
  for (const char* jobs : {"2", "1"}) {
    SCOPED_TRACE(std::string("-j ") + jobs);
    TempFolder folder;
    folder.WriteFile("big.bin", PlainBytes(48 << 20));
    const std::string log = folder.WriteFile("app.log", "line 0\n");
    Appender appender(log);
    const ZkcliResult result =
        RunZkcli({"encrypt", "-p", "pw", "--wipe-source", "-j", jobs, "big.bin", "app.log"}, folder.Path());
    const int appended = appender.Stop();
    ASSERT_TRUE(Exists(folder.Path("app.log.enc")));
    if (std::string(jobs) == "1" && !Exists(log)) {
      EXPECT_EQ(result.exitCode, 0);
      EXPECT_EQ(RunZkcli({"decrypt", "-p", "pw", "app.log.enc"}, folder.Path()).exitCode, 0);
      EXPECT_EQ(LineCount(TempFolder::ReadFile(log)), appended + 1);
      continue;
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "暗号化成功：big.bin\n" + std::string(kEncryptedSourceChanged) + "app.log\n");
    ASSERT_TRUE(Exists(log));
    EXPECT_EQ(LineCount(TempFolder::ReadFile(log)), appended + 1);
  }
}

// Rewritten in place (same size) while it is read: the container holds a mix of old and new, so the file
// must stay.
TEST(SourceWipe, KeepsAFileRewrittenWhileItIsRead) {
  TempFolder folder;
  const std::string path = folder.WriteFile("data.bin", PlainBytes(64 << 20));
  std::atomic<bool> stop{false};
  std::thread rewriter([&] {
    File file = File::OpenWriteOnly(path);
    while (!stop) {
      file.Seek(0);
      file.Write("rewritten", 9);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  const ZkcliResult result = RunZkcli({"encrypt", "-p", "pw", "--wipe-source", "data.bin"}, folder.Path());
  stop = true;
  rewriter.join();
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, std::string(kEncryptedSourceChanged) + "data.bin\n");
  EXPECT_EQ(TempFolder::ReadFile(path).substr(0, 9), "rewritten");
}

// Another ZK process holding the file for reading (its shared lock) keeps it from being wiped, as a
// source after encryption or in the wipe bin.
TEST(SourceWipe, NeverOverwritesAFileAnotherProcessReads) {
  TempFolder folder;
  const std::string path = folder.WriteFile("shared.txt", "being read");
  File reader = File::OpenReadOnly(path);
  ASSERT_TRUE(reader.TryLockShared());

  ZkcliResult result = RunZkcli({"encrypt", "-p", "pw", "--wipe-source", "shared.txt"}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, std::string(kEncryptedSourceChanged) + "shared.txt\n");
  result = RunZkcli({"wipe", "--yes", "shared.txt"}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out,
            "＊抹消不可(ファイルが無効or読み取り専用orロックされている可能性があります。) : shared.txt\n");
  EXPECT_EQ(TempFolder::ReadFile(path), "being read");
}

// A file with other hard links (a cp -al backup) is not overwritten: only the name given goes.
TEST(SourceWipe, LeavesTheDataOfOtherHardLinks) {
  TempFolder folder;
  const std::string path = folder.WriteFile("f.txt", "shared data");
  const std::string other = folder.Path("g.txt");
  ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);

  ZkcliResult result = RunZkcli({"encrypt", "-p", "pw", "--wipe-source", "f.txt"}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(
      result.out,
      "＊暗号化成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています)：f.txt\n");
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(TempFolder::ReadFile(other), "shared data");

  ASSERT_EQ(::link(other.c_str(), path.c_str()), 0);
  result = RunZkcli({"wipe", "--yes", "f.txt"}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "＊名前のみ削除(データは他のハードリンクに残っています) : f.txt\n");
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(TempFolder::ReadFile(other), "shared data");
}

}  // namespace
}  // namespace zk::test
