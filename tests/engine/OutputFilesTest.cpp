// Where the engine's outputs stand while they are written and once they are done: without a name until
// complete, never replacing what they must not, under a name Linux can hold, and no more readable than
// their sources.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "MountedImage.h"
#include "TempFolder.h"
#include "engine/FileEngine.h"
#include "engine/OutputNames.h"
#include "engine/PendingOutput.h"
#include "engine/ResultTexts.h"
#include "platform/CodePage.h"
#include "platform/FileInfo.h"
#include "platform/Paths.h"

namespace zk {
namespace {

using Names = std::vector<std::string>;

// The names in a folder, links not followed.
Names EntryNames(const std::string& folder) {
  Names names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t PermissionBits(const std::string& path) {
  struct stat info;
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 0777;
}

TEST(PendingOutput, HasNoNameUntilMovedAndThenItsPermissions) {
  test::TempFolder folder;
  const std::string target = folder.Path("out.bin");
  {
    TPendingOutput output(target, false, false);
    output.Stream().Write("data", 4);
    EXPECT_EQ(folder.Listing(), Names{});
    output.Complete(0640);
    EXPECT_EQ(folder.Listing(), Names{});
    EXPECT_EQ(output.MoveTo(target), target);
  }
  EXPECT_EQ(test::TempFolder::ReadFile(target), "data");
  EXPECT_EQ(PermissionBits(target), 0640u);
  EXPECT_EQ(folder.Listing(), Names{"out.bin"});
}

TEST(PendingOutput, ANameTakenMeanwhileIsKeptUnlessReplacingWasAsked) {
  test::TempFolder folder;
  const std::string target = folder.Path("out.bin");
  TPendingOutput keeping(target, false, false);
  TPendingOutput replacing(target, true, true);
  keeping.Stream().Write("new", 3);
  replacing.Stream().Write("newest", 6);
  folder.WriteFile("out.bin", "old");
  keeping.Complete(0600);
  replacing.Complete(0600);
  EXPECT_EQ(keeping.MoveTo(target), folder.Path("out.bin_RENAMED.bin"));
  EXPECT_EQ(test::TempFolder::ReadFile(target), "old");
  EXPECT_EQ(replacing.MoveTo(target), target);
  EXPECT_EQ(test::TempFolder::ReadFile(target), "newest");
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("out.bin_RENAMED.bin")), "new");
  EXPECT_EQ(folder.Listing(), (Names{"out.bin", "out.bin_RENAMED.bin"}));
}

// The last step itself refuses a link put where a file was to be replaced: the link and its target stay.
TEST(PendingOutput, ReplacingRefusesALinkPutThereMeanwhile) {
  test::TempFolder folder;
  const std::string target = folder.WriteFile("out.txt", "old");
  const std::string elsewhere = folder.WriteFile("elsewhere", "keep me");
  {
    TPendingOutput replacing(target, true, true);
    replacing.Stream().Write("plain", 5);
    replacing.Complete(0600);
    ASSERT_EQ(::unlink(target.c_str()), 0);
    ASSERT_EQ(::symlink(elsewhere.c_str(), target.c_str()), 0);
    EXPECT_THROW(replacing.MoveTo(target), TOutputRefused);
  }
  EXPECT_EQ(FileKindOf(target, false), TFileKind::kSymbolicLink);
  EXPECT_EQ(test::TempFolder::ReadFile(elsewhere), "keep me");
  EXPECT_EQ(EntryNames(folder.Path()), (Names{"elsewhere", "out.txt"}));
}

// FAT (a USB stick), NFS and FUSE file systems have no unnamed files: the output is written under a
// temporary name, which never stays.
TEST(PendingOutput, WhereNoUnnamedFileCanBeMadeATemporaryNameServes) {
  std::string whyNot;
  const auto stick = test::MountedImage::Mount("fuse", whyNot);
  if (!stick) GTEST_SKIP() << whyNot;
  const std::string target = stick->Path() + "out.bin";
  {
    TPendingOutput output(target, false, true);
    output.Stream().Write("data", 4);
    const Names names = EntryNames(stick->Path());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].starts_with("out.bin" + std::string(kUnfinishedMark))) << names[0];
    output.Complete(0600);
    EXPECT_EQ(output.MoveTo(target), target);
  }
  {
    TPendingOutput unfinished(stick->Path() + "other.bin", false, true);
    unfinished.Stream().Write("partial", 7);
  }
  EXPECT_EQ(EntryNames(stick->Path()), Names{"out.bin"});
  EXPECT_EQ(test::TempFolder::ReadFile(target), "data");

  TFileEngine engine;
  const std::string source = stick->Path() + "a.txt";
  std::filesystem::rename(target, source);
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncrypted);
  ASSERT_EQ(engine.DecryptFile(source + ".enc", "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, stick->Path() + "a.txt_RENAMED.txt");
  EXPECT_EQ(test::TempFolder::ReadFile(engine.LastOutputName), "data");
}

TEST(PendingOutput, AnUnfinishedOneLeavesNothing) {
  test::TempFolder folder;
  for (bool plainText : {false, true}) {
    TPendingOutput output(folder.Path("out.bin"), false, plainText);
    output.Stream().Write("partial", 7);
  }
  {
    TPendingOutput replacing(folder.WriteFile("out.bin", "old"), true, true);
    replacing.Stream().Write("partial", 7);
  }
  EXPECT_EQ(folder.Listing(), Names{"out.bin"});
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("out.bin")), "old");
}

class OutputFiles : public ::testing::Test {
 protected:
  // While the payload streams, nothing stands under the final name, nor under any other.
  void WatchWhileWriting(const std::string& finalPath) {
    const Names before = folder.Listing();
    observer.OnPump = [this, finalPath, before](int) {
      ++watched;
      EXPECT_FALSE(FileExists(finalPath));
      EXPECT_EQ(folder.Listing(), before);
    };
    engine.Observer = &observer;
    engine.ProcessMsgInterval = 1;
  }

  std::string Container(const std::string& fileName, const std::string& storedName,
                        const std::string& plain) {
    return folder.WriteFile(fileName, test::HandMadeContainer({"pw", "", storedName, -1, 0, plain}));
  }

  test::TempFolder folder;
  TFileEngine engine;
  test::TRecordingObserver observer;
  int watched = 0;
};

TEST_F(OutputFiles, AContainerIsNamedOnlyWhenComplete) {
  const std::string source = folder.WriteFile("a.txt", std::string(100000, 'a'));
  WatchWhileWriting(source + ".enc");
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncrypted);
  EXPECT_GT(watched, 5);
  EXPECT_EQ(folder.Listing(), (Names{"a.txt", "a.txt.enc"}));
}

TEST_F(OutputFiles, APlainFileIsNamedOnlyWhenComplete) {
  const std::string container = Container("c.enc", "plain.txt", std::string(100000, 'p'));
  WatchWhileWriting(folder.Path("plain.txt"));
  ASSERT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted);
  EXPECT_GT(watched, 5);
  EXPECT_EQ(folder.Listing(), (Names{"c.enc", "plain.txt"}));
}

TEST_F(OutputFiles, AFailureLeavesNoTemporary) {
  const std::string source = folder.WriteFile("big", std::string(300000, 'b'));
  const std::string container = Container("c.enc", "plain.txt", std::string(300000, 'p'));
  {
    test::TFileSizeLimit limit(100000);
    EXPECT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncryptFailed);
    EXPECT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecryptFailed);
  }
  EXPECT_EQ(folder.Listing(), (Names{"big", "c.enc"}));
}

// A name taken while the output was written is not replaced: the "_RENAMED" rule names the output.
TEST_F(OutputFiles, ANameTakenDuringTheRunIsKept) {
  const std::string source = folder.WriteFile("a.txt", std::string(100000, 'a'));
  observer.OnPump = [&](int pump) {
    if (pump == 1) folder.WriteFile("a.txt.enc", "someone else's");
  };
  engine.Observer = &observer;
  engine.ProcessMsgInterval = 1;
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncrypted);
  EXPECT_EQ(engine.LastOutputName, folder.Path("a.txt.enc_RENAMED.enc"));
  EXPECT_EQ(test::TempFolder::ReadFile(source + ".enc"), "someone else's");
  EXPECT_EQ(engine.DecryptFile(engine.LastOutputName, "pw"), TResultKind::kDecrypted);
}

std::string Repeated(const std::string& text, int count) {
  std::string result;
  for (int i = 0; i < count; ++i) result += text;
  return result;
}

// 97 double-byte characters and ".txt": 198 bytes in CP932, within the container's limit, but 295 bytes in
// UTF-8, more than a Linux file name may have.
TEST_F(OutputFiles, AStoredNameTooLongForLinuxIsShortenedAtWholeCharacters) {
  const std::string stored = Repeated("漢", 97) + ".txt";
  ASSERT_EQ(Utf8ToCp932(stored).size(), 198u);
  const std::string container = folder.WriteFile(
      "c.enc", test::HandMadeContainer({"pw", "", Utf8ToCp932(stored), -1, 0, "the plain text"}));
  // 253 bytes: 84 characters would make 256. When that name is taken, "_RENAMED.txt" would need 12 bytes
  // more: the name loses as many and is free then.
  for (const std::string& expected : {Repeated("漢", 83) + ".txt", Repeated("漢", 80) + ".txt"}) {
    ASSERT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted) << expected;
    EXPECT_EQ(engine.LastOutputName, folder.Path(expected));
    EXPECT_LE(LastComponent(engine.LastOutputName).size(), kMaxFileNameBytes);
    EXPECT_EQ(test::TempFolder::ReadFile(engine.LastOutputName), "the plain text");
  }
}

// The limit counts CP932 bytes, so a Linux name of 85 kanji (255 bytes) is encrypted; with ".enc" its
// container's name would be too long, and loses a character instead.
TEST_F(OutputFiles, AContainerNameTooLongForLinuxIsShortened) {
  const std::string name = Repeated("漢", 85);
  const std::string source = folder.WriteFile(name, "x");
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncrypted);
  EXPECT_EQ(engine.LastOutputName, folder.Path(Repeated("漢", 83) + ".enc"));
  ASSERT_EQ(::unlink(source.c_str()), 0);
  ASSERT_EQ(engine.DecryptFile(engine.LastOutputName, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, source) << "the stored name is the whole one";
}

// An explicit output that is not a regular file is written into or refused, never replaced.
TEST_F(OutputFiles, AnExplicitOutputThatIsAStreamIsWrittenInto) {
  const std::string container = Container("c.enc", "plain.txt", "stream me");
  const std::string fifo = folder.Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  for (const std::string& output : {fifo, folder.MakeLink("link-to-fifo", fifo)}) {
    engine.ExplicitOutputName = output;
    ASSERT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted) << output;
    EXPECT_TRUE(engine.OutputIsStream);
    EXPECT_EQ(engine.LastOutputName, output);
    char buffer[32];
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(::read(reader, buffer, sizeof buffer))), "stream me");
  }
  ::close(reader);
  engine.ExplicitOutputName = folder.MakeLink("null", "/dev/null");
  EXPECT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(FileKindOf(folder.Path("fifo"), false), TFileKind::kOther);
  EXPECT_EQ(FileKindOf(folder.Path("null"), false), TFileKind::kSymbolicLink);
  EXPECT_EQ(EntryNames(folder.Path()), (Names{"c.enc", "fifo", "link-to-fifo", "null"}));
}

TEST_F(OutputFiles, AnExplicitOutputThatMustNotBeReplacedIsRefusedBeforeAnything) {
  const std::string container = Container("c.enc", "plain.txt", "plain");
  const std::string target = folder.WriteFile("target.txt", "keep me");
  for (const std::string& output : {folder.MakeLink("link-to-file", target), folder.MakeFolder("dir"),
                                    folder.MakeLink("dangling", folder.Path("nowhere"))}) {
    engine.ExplicitOutputName = output;
    EXPECT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecryptOutputRefused) << output;
  }
  EXPECT_EQ(test::TempFolder::ReadFile(target), "keep me");
  EXPECT_EQ(FileKindOf(folder.Path("link-to-file"), false), TFileKind::kSymbolicLink);
  EXPECT_EQ(EntryNames(folder.Path()), (Names{"c.enc", "dangling", "dir", "link-to-file", "target.txt"}));
}

// An output is no more readable than what it was made from; a file an explicit output replaces keeps its own
// permissions.
TEST_F(OutputFiles, AnOutputTakesItsSourcesPermissions) {
  const std::string source = folder.WriteFile("private.txt", "secret");
  ASSERT_EQ(::chmod(source.c_str(), 0600), 0);
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncrypted);
  EXPECT_EQ(PermissionBits(source + ".enc"), 0600u);
  ASSERT_EQ(::unlink(source.c_str()), 0);
  ASSERT_EQ(engine.DecryptFile(source + ".enc", "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(PermissionBits(source), 0600u);

  ASSERT_EQ(::chmod((source + ".enc").c_str(), 0640), 0);
  engine.ExplicitOutputName = folder.Path("new.txt");
  ASSERT_EQ(engine.DecryptFile(source + ".enc", "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(PermissionBits(folder.Path("new.txt")), 0640u);
  ASSERT_EQ(::chmod(folder.Path("new.txt").c_str(), 0604), 0);
  ASSERT_EQ(engine.DecryptFile(source + ".enc", "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(PermissionBits(folder.Path("new.txt")), 0604u) << "a replaced file keeps its own";
}

TEST(ExplicitOutput, IsClassifiedByWhatStandsThere) {
  test::TempFolder folder;
  const std::string fifo = folder.Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path;
    TExplicitOutput kind;
  };
  for (const Case& c :
       {Case{"-", TExplicitOutput::kStandardOutput}, Case{folder.Path("missing"), TExplicitOutput::kNewFile},
        Case{folder.WriteFile("file", "x"), TExplicitOutput::kReplacedFile},
        Case{fifo, TExplicitOutput::kStream}, Case{"/dev/null", TExplicitOutput::kStream},
        Case{folder.MakeLink("to-null", "/dev/null"), TExplicitOutput::kStream},
        Case{folder.MakeLink("to-file", folder.Path("file")), TExplicitOutput::kRefused},
        Case{folder.MakeFolder("dir"), TExplicitOutput::kRefused}}) {
    EXPECT_EQ(ClassifyExplicitOutput(c.path), c.kind) << c.path;
  }
}

}  // namespace
}  // namespace zk
