#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>

#include "EngineTestSupport.h"
#include "Hex.h"
#include "TempFolder.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"
#include "platform/CodePage.h"
#include "platform/FileDate.h"
#include "platform/FileInfo.h"

namespace zk {
namespace {

constexpr int32_t kSomeDate = 0x5A8C6000;  // 2025-04-12 12:00:00

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  return bytes;
}

class FileEncryption : public ::testing::Test {
 protected:
  std::string Plain(const std::string& name, const std::string& content) {
    const std::string path = folder.WriteFile(name, content);
    EXPECT_TRUE(ApplyPackedFileDate(path, kSomeDate));
    return path;
  }

  test::TempFolder folder;
  TFileEngine engine;
};

// Computed with Botan's Twofish and SHA-1: magic, algorithm 0, check block, H = 0, N = 8, "GRU5Qro=",
// the date, and "hello" by the tail rule.
TEST_F(FileEncryption, ContainerOfAKnownFileMatchesIndependentBytes) {
  const std::string source = Plain("a.txt", "hello");
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "secret", "", 0), TResultKind::kEncrypted);
  const std::string container = test::TempFolder::ReadFile(source + ".enc");
  EXPECT_EQ(test::ToHex(container.data(), container.size()),
            "454e435259505445442042592056332e58205a4b0000000038c93fa9ed0924bf00000000080000004752553551726f3d"
            "00608c5a629e6281c1");
  // Name length at 36, name at 40..47, date at 48, payload from 52.
  EXPECT_EQ(container.substr(36, 4), test::Int32Bytes(8));
  EXPECT_EQ(container.substr(48, 4), test::Int32Bytes(kSomeDate));
  EXPECT_EQ(container.size(), 52u + 5u);
  EXPECT_EQ(engine.LastSourceName, source);
  EXPECT_EQ(engine.LastOutputName, source + ".enc");
  EXPECT_EQ(engine.LastFileDate, kSomeDate);
  EXPECT_EQ(test::TempFolder::ReadFile(source), "hello") << "the plain file is never changed";
}

struct SizeCase {
  int32_t algorithm;
  size_t size;
};

class PayloadSizes : public FileEncryption, public ::testing::WithParamInterface<SizeCase> {};

// Byte for byte against a container composed by hand with one CBC pass, then back again.
TEST_P(PayloadSizes, MatchHandMadeContainerAndRoundTrip) {
  const auto [algorithm, size] = GetParam();
  const std::string plain = RandomBytes(size, static_cast<unsigned>(size * 3 + algorithm));
  const std::string source = Plain("p.bin", plain);
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pass word", "a hint", algorithm),
            TResultKind::kEncrypted);
  const std::string container = test::TempFolder::ReadFile(source + ".enc");
  const std::string expected =
      test::HandMadeContainer({"pass word", "a hint", "p.bin", kSomeDate, algorithm, plain});
  ASSERT_EQ(container.size(), expected.size());
  EXPECT_TRUE(container == expected);
  EXPECT_EQ(container.size(), 44 + 8 + 8 + size);

  ASSERT_EQ(::unlink(source.c_str()), 0);
  ASSERT_EQ(engine.DecryptFile(source + ".enc", "pass word"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, source);
  EXPECT_EQ(engine.LastFileDate, kSomeDate);
  const std::string restored = test::TempFolder::ReadFile(source);
  EXPECT_EQ(restored.size(), size);
  EXPECT_TRUE(restored == plain);
}

std::vector<SizeCase> SizeCases() {
  std::vector<SizeCase> cases;
  for (int32_t algorithm : {0, 1, 2}) {
    for (size_t size : {0, 1, 7, 8, 9, 15, 16, 17, 8191, 8192, 8193, 262144, 262144 + 8192 + 5, 524288}) {
      cases.push_back({algorithm, size});
    }
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(AllCiphers, PayloadSizes, ::testing::ValuesIn(SizeCases()),
                         [](const ::testing::TestParamInfo<SizeCase>& info) {
                           return "Algorithm" + std::to_string(info.param.algorithm) + "Size" +
                                  std::to_string(info.param.size);
                         });

TEST_F(FileEncryption, AnAlgorithmNumberOutsideTheListIsStoredAndMeansTwofish) {
  const std::string source = Plain("x", "some bytes of text");
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", -1), TResultKind::kEncrypted);
  EXPECT_TRUE(test::TempFolder::ReadFile(source + ".enc") ==
              test::HandMadeContainer({"pw", "", "x", kSomeDate, -1, "some bytes of text"}));
}

TEST_F(FileEncryption, ReportsProgressPerRunAndPumpsOnEveryDrawOfZero) {
  test::TRecordingObserver observer;
  engine.Observer = &observer;
  engine.ProcessMsgInterval = 1;
  const std::string source = Plain("p", std::string(20000, 'x'));
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncrypted);
  EXPECT_EQ(observer.Lines,
            (std::vector<std::string>{"暗号化中：8192/20000バイト　41%", "暗号化中：16384/20000バイト　82%",
                                      "暗号化中：20000/20000バイト　100%"}));
  EXPECT_EQ(observer.Pumps, 3);
}

TEST_F(FileEncryption, ALengthOfWholeRunsEndsWithARunOfNothing) {
  test::TRecordingObserver observer;
  engine.Observer = &observer;
  engine.ProcessMsgInterval = 0;
  struct Case {
    size_t size;
    size_t reports;
    std::string last;
  };
  for (const Case& c : {Case{8192, 2, "暗号化中：8192/8192バイト　100%"},
                        Case{262144, 33, "暗号化中：262144/262144バイト　100%"},
                        Case{2 * 262144 + 100, 65, "暗号化中：524388/524388バイト　100%"}}) {
    observer = {};
    const std::string source = Plain("run" + std::to_string(c.size), std::string(c.size, 'r'));
    ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 1), TResultKind::kEncrypted);
    EXPECT_EQ(observer.Lines.size(), c.reports) << c.size;
    EXPECT_EQ(observer.Lines.back(), c.last);
    EXPECT_EQ(observer.Pumps, static_cast<int>(c.reports));
    for (size_t i = 1; i < c.reports; ++i) {
      const int64_t expectedDone = std::min<int64_t>(int64_t(i) * 8192, int64_t(c.size));
      ASSERT_EQ(observer.Reports[i - 1].Done, expectedDone) << c.size << " run " << i;
    }
  }
}

TEST_F(FileEncryption, AnEmptyFileShowsNoProgress) {
  test::TRecordingObserver observer;
  engine.Observer = &observer;
  engine.ProcessMsgInterval = 1;
  const std::string source = Plain("empty", "");
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncrypted);
  EXPECT_TRUE(observer.Lines.empty());
  EXPECT_EQ(observer.Pumps, 1);
  EXPECT_EQ(QueryFileSize(source + ".enc"), 44 + 8);
}

TEST_F(FileEncryption, AnOutputThatExistsGetsRenamedAndIsNeverTouched) {
  const std::string source = Plain("a.txt", "plain");
  folder.WriteFile("a.txt.enc", "first");
  folder.WriteFile("a.txt.enc_RENAMED.enc", "second");
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncrypted);
  EXPECT_EQ(engine.LastOutputName, folder.Path("a.txt.enc_RENAMED.enc_RENAMED.enc"));
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("a.txt.enc")), "first");
  EXPECT_EQ(test::TempFolder::ReadFile(folder.Path("a.txt.enc_RENAMED.enc")), "second");

  const std::string bare = Plain("abc", "plain");
  ASSERT_EQ(engine.EncryptFile(bare, folder.Path("abc"), "pw", "", 0), TResultKind::kEncrypted);
  EXPECT_EQ(engine.LastOutputName, folder.Path("abc_RENAMED"));
  EXPECT_EQ(test::TempFolder::ReadFile(bare), "plain");
}

TEST_F(FileEncryption, AHintTooLongForItsFieldIsRefusedWithoutOutput) {
  const std::string source = Plain("h", "plain");
  EXPECT_EQ(engine.EncryptFile(source, source + ".enc", "pw", std::string(751, 'h'), 0),
            TResultKind::kEncryptFailed);
  EXPECT_FALSE(FileExists(source + ".enc"));
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw", std::string(750, 'h'), 0),
            TResultKind::kEncrypted);
  EXPECT_EQ(engine.ReadHint(source + ".enc"), std::string(750, 'h'));
}

TEST_F(FileEncryption, SourcesThatCannotBeOpenedLeaveNoOutput) {
  const std::string readOnly = Plain("ro", "plain");
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  const std::string folderSource = folder.MakeFolder("dir");
  for (const std::string& source : {readOnly, folderSource, folder.Path("missing")}) {
    EXPECT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncryptFailed)
        << source;
    EXPECT_FALSE(FileExists(source + ".enc")) << source;
    EXPECT_EQ(engine.LastSourceName, source);
  }
  EXPECT_EQ(test::TempFolder::ReadFile(readOnly), "plain");
}

TEST_F(FileEncryption, AFailingWriteDeletesOnlyTheOutputItCreated) {
  const std::string plain = RandomBytes(300000, 7);
  const std::string source = Plain("big", plain);
  {
    test::TFileSizeLimit limit(100000);
    EXPECT_EQ(engine.EncryptFile(source, source + ".enc", "pw", "", 0), TResultKind::kEncryptFailed);
  }
  EXPECT_FALSE(FileExists(source + ".enc"));
  EXPECT_TRUE(test::TempFolder::ReadFile(source) == plain);
  EXPECT_FALSE(engine.TwofishCipher.Initialized()) << "the key is wiped after a failure";
}

TEST_F(FileEncryption, JapaneseNameHintAndPasswordAreStoredAsCp932) {
  const std::string source = Plain("日本語の名前.txt", "中身");
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "パスワード", "ヒント", 0), TResultKind::kEncrypted);
  EXPECT_TRUE(test::TempFolder::ReadFile(source + ".enc") ==
              test::HandMadeContainer({Utf8ToCp932("パスワード"), Utf8ToCp932("ヒント"),
                                       Utf8ToCp932("日本語の名前.txt"), kSomeDate, 0, "中身"}));
  EXPECT_EQ(engine.ReadHint(source + ".enc"), "ヒント");
  ASSERT_EQ(::unlink(source.c_str()), 0);
  EXPECT_EQ(engine.DecryptFile(source + ".enc", "パスワード"), TResultKind::kDecrypted);
  EXPECT_EQ(engine.LastOutputName, source);
  EXPECT_EQ(test::TempFolder::ReadFile(source), "中身");
}

TEST_F(FileEncryption, TextOutsideCp932IsUsedAsItsUtf8Bytes) {
  const std::string source = Plain("emoji-😀.txt", "x");
  ASSERT_EQ(engine.EncryptFile(source, source + ".enc", "pw😀", "😀", 0), TResultKind::kEncrypted);
  EXPECT_TRUE(test::TempFolder::ReadFile(source + ".enc") ==
              test::HandMadeContainer({"pw😀", "😀", "emoji-😀.txt", kSomeDate, 0, "x"}));
  EXPECT_EQ(engine.ReadHint(source + ".enc"), "😀");
}

}  // namespace
}  // namespace zk
