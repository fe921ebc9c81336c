#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "EngineTestSupport.h"
#include "TempFolder.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"
#include "platform/CodePage.h"
#include "platform/FileInfo.h"

namespace zk {
namespace {

constexpr int32_t kSomeDate = 0x5A8C6000;

class FileDecryption : public ::testing::Test {
 protected:
  // A container made by hand, so that any field can be bent.
  std::string Container(const std::string& fileName, const test::TContainerRecipe& recipe) {
    return folder.WriteFile(fileName, test::HandMadeContainer(recipe));
  }

  // Every entry of the test folder, to show that nothing was written.
  size_t EntryCount() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder.Path()),
                                             std::filesystem::directory_iterator()));
  }

  test::TempFolder folder;
  TFileEngine engine;
};

TEST_F(FileDecryption, RestoresTheStoredNameInTheContainersFolder) {
  const std::string container = Container("c.enc", {"pw", "hint", "report.doc", kSomeDate, 1, "contents"});
  ASSERT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastSourceName, container);
  EXPECT_EQ(engine.LastOutputName, folder.Path("report.doc"));
  EXPECT_EQ(engine.LastFileDate, kSomeDate);
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("report.doc")), "contents");
  EXPECT_TRUE(FileExists(container)) << "the container is never removed by decryption";
}

TEST_F(FileDecryption, AnExistingNameGetsRenamed) {
  const std::string container = Container("c.enc", {"pw", "", "report.doc", -1, 0, "new"});
  folder.WriteFile("report.doc", "old");
  ASSERT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, folder.Path("report.doc_RENAMED.doc"));
  EXPECT_EQ(engine.LastFileDate, -1);
  ASSERT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, folder.Path("report.doc_RENAMED.doc_RENAMED.doc"));
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("report.doc")), "old");
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("report.doc_RENAMED.doc_RENAMED.doc")), "new");
}

// Each refusal has its own text and leaves nothing behind.
TEST_F(FileDecryption, RefusalsWriteNothing) {
  const std::string good = test::HandMadeContainer({"pw", "", "out.txt", kSomeDate, 0, "secret text"});
  const std::string afterMagic = good.substr(20);
  struct Case {
    std::string name;
    std::string bytes;
    std::string password;
    TResultKind result;
  };
  const std::string zero(1, '\0');
  const std::vector<Case> cases = {
      {"wrong password", good, "PW", TResultKind::kDecryptWrongPassword},
      {"oldest magic", "ENCRYPTED BY ZK     " + afterMagic, "pw", TResultKind::kDecryptOldFormat},
      {"version 2 magic", "ENCRYPTED BY V2.X ZK" + afterMagic, "pw", TResultKind::kDecryptOldFormat},
      {"text file", "This is only a text file, nothing more.\n", "pw", TResultKind::kDecryptNotContainer},
      {"zero byte in the magic", "ENCRYPTED BY V3.X Z" + zero + afterMagic, "pw",
       TResultKind::kDecryptNotContainer},
      {"shorter than the magic", "ENCRYPTED BY", "pw", TResultKind::kDecryptFailed},
      {"empty file", "", "pw", TResultKind::kDecryptFailed},
  };
  for (const Case& c : cases) {
    const std::string path = folder.WriteFile("case", c.bytes);
    EXPECT_EQ(engine.DecryptFile(path, c.password), c.result) << c.name;
    EXPECT_EQ(EntryCount(), 1u) << c.name;
    EXPECT_FALSE(engine.TwofishCipher.Initialized()) << c.name;
  }
}

// Header offsets for the name "out.txt" (N = 12) and no hint: H at 32, N at 36, name at 40, date at 52.
TEST_F(FileDecryption, DamagedAndTruncatedHeaders) {
  const std::string good = test::HandMadeContainer({"pw", "", "out.txt", kSomeDate, 0, "secret text"});
  ASSERT_EQ(good.substr(36, 4), test::Int32Bytes(12));
  auto withField = [&](size_t offset, int32_t value) {
    return good.substr(0, offset) + test::Int32Bytes(value) + good.substr(offset + 4);
  };
  struct Case {
    std::string name;
    std::string bytes;
    TResultKind result;
  };
  const std::vector<Case> cases = {
      {"hint length 1001", withField(32, 1001), TResultKind::kDecryptDamaged},
      {"hint length -1", withField(32, -1), TResultKind::kDecryptDamaged},
      {"name length 1001", withField(36, 1001), TResultKind::kDecryptDamaged},
      {"name length -1", withField(36, -1), TResultKind::kDecryptDamaged},
      {"name field not Base64", withField(36, 5), TResultKind::kDecryptFailed},
      {"cut in the algorithm", good.substr(0, 22), TResultKind::kDecryptFailed},
      {"cut in the check block", good.substr(0, 30), TResultKind::kDecryptFailed},
      {"cut in the hint length", good.substr(0, 34), TResultKind::kDecryptFailed},
      {"cut in the name length", good.substr(0, 38), TResultKind::kDecryptFailed},
      {"cut in the name", good.substr(0, 45), TResultKind::kDecryptFailed},
      {"cut in the date", good.substr(0, 54), TResultKind::kDecryptFailed},
  };
  for (const Case& c : cases) {
    const std::string path = folder.WriteFile("case", c.bytes);
    EXPECT_EQ(engine.DecryptFile(path, "pw"), c.result) << c.name;
    EXPECT_EQ(EntryCount(), 1u) << c.name;
  }
}

TEST_F(FileDecryption, AHintOfTheFullFieldIsAccepted) {
  const std::string hint(750, 'h');  // 1000 Base64 characters
  const std::string container = Container("c", {"pw", hint, "n", kSomeDate, 2, "x"});
  ASSERT_EQ(test::HandMadeContainer({"pw", hint, "n", kSomeDate, 2, "x"}).substr(32, 4),
            test::Int32Bytes(1000));
  EXPECT_EQ(engine.ReadHint(container), hint);
  EXPECT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("n")), "x");
}

TEST_F(FileDecryption, APayloadCutShortDecryptsWhatIsThere) {
  const std::string full = test::HandMadeContainer({"pw", "", "cut", kSomeDate, 0, std::string(40, 'z')});
  const std::string path = folder.WriteFile("c", full.substr(0, full.size() - 8));
  EXPECT_EQ(engine.DecryptFile(path, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("cut")), std::string(32, 'z'));
}

TEST_F(FileDecryption, ProgressCountsAgainstTheWholeContainer) {
  test::TRecordingObserver observer;
  engine.Observer = &observer;
  engine.ProcessMsgInterval = 1;
  // A 52-byte header and 948 payload bytes: the last line falls short of 100% by the header's share.
  const std::string path = Container("c", {"pw", "", "a.txt", kSomeDate, 0, std::string(948, 'p')});
  ASSERT_EQ(QueryFileSize(path), 1000);
  ASSERT_EQ(engine.DecryptFile(path, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(observer.Lines, std::vector<std::string>{"復号中：948/1000バイト　95%"});
  EXPECT_EQ(observer.Pumps, 1);
}

TEST_F(FileDecryption, AnEmptyPayloadGivesAnEmptyFile) {
  test::TRecordingObserver observer;
  engine.Observer = &observer;
  const std::string path = Container("c", {"pw", "", "empty", kSomeDate, 0, ""});
  ASSERT_EQ(engine.DecryptFile(path, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(observer.Lines, std::vector<std::string>{"復号中：0/52バイト　0%"});
  EXPECT_EQ(QueryFileSize(folder.Path("empty")), 0);
}

// A stored name never places the output outside the container's folder.
TEST_F(FileDecryption, StoredNamesAreReducedToTheirLastComponent) {
  folder.MakeFolder("sub");
  struct Case {
    std::string stored;
    std::string expected;  // empty: refused as damaged
  };
  for (const Case& c : {Case{"../escape.txt", "escape.txt"}, Case{"/etc/passwd.copy", "passwd.copy"},
                        Case{"..\\..\\win.txt", "win.txt"}, Case{"C:\\dir\\name.txt", "name.txt"},
                        Case{"a/b\\c", "c"}, Case{"", ""}, Case{".", ""}, Case{"..", ""}, Case{"x/..", ""},
                        Case{"dir/", ""}, Case{"bad\\", ""}, Case{std::string("nul\0byte", 8), ""}}) {
    const std::string container =
        folder.WriteFile("sub/box", test::HandMadeContainer({"pw", "", c.stored, kSomeDate, 0, "data"}));
    const size_t before = std::distance(std::filesystem::directory_iterator(folder.Path("sub")),
                                        std::filesystem::directory_iterator());
    if (c.expected.empty()) {
      EXPECT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecryptDamaged) << c.stored;
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("sub")),
                              std::filesystem::directory_iterator()),
                static_cast<long>(before))
          << c.stored;
    } else {
      ASSERT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted) << c.stored;
      EXPECT_EQ(engine.LastOutputName, folder.Path("sub/" + c.expected));
      EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("sub/" + c.expected)), "data");
    }
  }
  EXPECT_EQ(EntryCount(), 1u) << "nothing appeared beside the container's folder";
}

TEST_F(FileDecryption, AJapaneseNameStoredAsCp932IsRestoredAsUtf8) {
  const std::string container =
      Container("c", {Utf8ToCp932("パス"), "", Utf8ToCp932("表示ソフト.txt"), kSomeDate, 0, "x"});
  EXPECT_EQ(engine.DecryptFile(container, "パス"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, folder.Path("表示ソフト.txt"));
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("表示ソフト.txt")), "x");
  EXPECT_EQ(engine.DecryptFile(container, "パ"), TResultKind::kDecryptWrongPassword);
}

// On Linux two names that differ only in case are two files: a.txt beside A.TXT is free.
TEST_F(FileDecryption, ANameThatDiffersOnlyInCaseIsAnotherFile) {
  const std::string container = Container("A.TXT", {"pw", "", "a.txt", kSomeDate, 0, "plain"});
  ASSERT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, folder.Path("a.txt"));
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("a.txt")), "plain");
  // The container's own name is taken, as any other.
  const std::string same = Container("a.bin", {"pw", "", "a.bin", kSomeDate, 0, "plain"});
  ASSERT_EQ(engine.DecryptFile(same, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, folder.Path("a.bin_RENAMED.bin"));
}

TEST_F(FileDecryption, AnExplicitOutputIsReplacedOnlyBySuccess) {
  const std::string container = Container("c", {"pw", "", "stored.txt", kSomeDate, 0, "new contents"});
  const std::string target = folder.WriteFile("target.txt", "old contents");
  engine.ExplicitOutputName = target;

  EXPECT_EQ(engine.DecryptFile(container, "wrong"), TResultKind::kDecryptWrongPassword);
  EXPECT_EQ(test::TempFolder::ReadFile(target), "old contents");

  const std::string big = folder.WriteFile(
      "big", test::HandMadeContainer({"pw", "", "stored.txt", kSomeDate, 0, std::string(300000, 'b')}));
  {
    test::TFileSizeLimit limit(100000);
    EXPECT_EQ(engine.DecryptFile(big, "pw"), TResultKind::kDecryptFailed);
  }
  EXPECT_EQ(test::TempFolder::ReadFile(target), "old contents");
  EXPECT_EQ(EntryCount(), 3u) << "no temporary is left behind";

  ASSERT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, target);
  EXPECT_EQ(test::TempFolder::ReadFile(target), "new contents");
  EXPECT_FALSE(FileExists(folder.Path("stored.txt")));
  EXPECT_EQ(EntryCount(), 3u);
}

TEST_F(FileDecryption, AFailureAfterTheOutputWasCreatedRemovesIt) {
  const std::string container = Container("c", {"pw", "", "out.bin", kSomeDate, 0, std::string(300000, 'q')});
  {
    test::TFileSizeLimit limit(100000);
    EXPECT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecryptFailed);
  }
  EXPECT_FALSE(FileExists(folder.Path("out.bin")));
  EXPECT_EQ(EntryCount(), 1u);
  EXPECT_FALSE(engine.TwofishCipher.Initialized());
}

TEST_F(FileDecryption, AReadOnlyContainerCannotBeDecrypted) {
  const std::string container = Container("c", {"pw", "", "out", kSomeDate, 0, "x"});
  ASSERT_EQ(::chmod(container.c_str(), 0444), 0);
  EXPECT_EQ(engine.DecryptFile(container, "pw"), TResultKind::kDecryptFailed);
  EXPECT_EQ(engine.ReadHint(container), std::nullopt);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(FileDecryption, ReadHint) {
  EXPECT_EQ(engine.ReadHint(Container("empty-hint", {"pw", "", "n", kSomeDate, 0, ""})), "");
  EXPECT_EQ(engine.ReadHint(Container("hint", {"pw", "the hint", "n", kSomeDate, 0, ""})), "the hint");
  EXPECT_EQ(engine.ReadHint(Container("cp932", {"pw", Utf8ToCp932("ヒント"), "n", kSomeDate, 0, ""})),
            "ヒント");
  EXPECT_EQ(engine.ReadHint(folder.WriteFile("ten", "0123456789")), std::nullopt);
  EXPECT_EQ(engine.ReadHint(folder.Path("missing")), std::nullopt);
  const std::string bad = test::HandMadeContainer({"pw", "", "n", kSomeDate, 0, ""});
  EXPECT_EQ(engine.ReadHint(folder.WriteFile("big-length", bad.substr(0, 32) + test::Int32Bytes(1001))), "");
}

}  // namespace
}  // namespace zk
