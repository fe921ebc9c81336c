// zkcli encrypt and decrypt: the lines, the exit status and the files they leave, row rules included.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "FileStatus.h"
#include "HandMadeContainer.h"
#include "TempFolder.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

constexpr std::time_t kPlainDate = 1600000000;  // an even second: packed dates keep 2-second steps

std::string SomeBytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

class EncryptDecryptTest : public ::testing::Test {
 protected:
  // A plain file a.txt of 10000 bytes with a known date.
  void SetUp() override {
    plain_ = folder_.WriteFile("a.txt", SomeBytes(10000));
    SetModificationTime(plain_, kPlainDate);
  }

  ZkcliResult Run(const std::vector<std::string>& arguments, const std::string& input = "") {
    return RunZkcli(arguments, folder_.Path(), input);
  }

  TempFolder folder_;
  std::string plain_;
};

struct CipherCase {
  const char* caseName;
  const char* name;  // as -a takes it
  char number;
};

class CipherRoundTrip : public EncryptDecryptTest, public ::testing::WithParamInterface<CipherCase> {};

TEST_P(CipherRoundTrip, RestoresNameBytesAndDate) {
  const std::string container = plain_ + ".enc";
  const ZkcliResult encrypted = Run({"encrypt", "-p", "correct horse battery staple", "-a", GetParam().name, plain_});
  EXPECT_EQ(encrypted.exitCode, 0);
  EXPECT_EQ(encrypted.out, "暗号化成功：" + plain_ + "\n");
  EXPECT_EQ(encrypted.err, "");
  ASSERT_TRUE(Exists(plain_)) << "the source is kept without --wipe-source";
  EXPECT_EQ(TempFolder::ReadFile(container).at(20), GetParam().number);

  std::filesystem::rename(plain_, folder_.Path("original"));
  const ZkcliResult decrypted = Run({"decrypt", "-p", "correct horse battery staple", container});
  EXPECT_EQ(decrypted.exitCode, 0);
  EXPECT_EQ(decrypted.out, "復号成功 : " + container + "\t" + plain_ + "\n");
  EXPECT_EQ(decrypted.err, "");
  EXPECT_EQ(TempFolder::ReadFile(plain_), SomeBytes(10000));
  EXPECT_EQ(ModificationTime(plain_), kPlainDate);
}

// The packed local date of the container, computed here independently: date in the high half, 2-second steps.
int32_t PackedLocalDate(std::time_t time) {
  std::tm t{};
  localtime_r(&time, &t);
  return static_cast<int32_t>(
      static_cast<uint32_t>(t.tm_year - 80) << 25 | static_cast<uint32_t>(t.tm_mon + 1) << 21 |
      static_cast<uint32_t>(t.tm_mday) << 16 | static_cast<uint32_t>(t.tm_hour) << 11 |
      static_cast<uint32_t>(t.tm_min) << 5 | static_cast<uint32_t>(t.tm_sec / 2));
}

TEST_P(CipherRoundTrip, TheContainerIsTheLayoutByteForByte) {
  // A Japanese password and hint are keyed and stored as their CP932 bytes.
  const ZkcliResult encrypted =
      Run({"encrypt", "-p", "秘密", "--hint", "ヒント", "-a", GetParam().name, plain_});
  ASSERT_EQ(encrypted.exitCode, 0) << encrypted.err;
  TContainerRecipe recipe;
  recipe.Password = "\x94\xe9\x96\xa7";
  recipe.Hint = "\x83\x71\x83\x93\x83\x67";
  recipe.Name = "a.txt";
  recipe.FileDate = PackedLocalDate(kPlainDate);
  recipe.Algorithm = GetParam().number;
  recipe.Plain = SomeBytes(10000);
  EXPECT_EQ(TempFolder::ReadFile(plain_ + ".enc"), HandMadeContainer(recipe));

  const ZkcliResult hint = Run({"hint", plain_ + ".enc"});
  EXPECT_EQ(hint.out, "ヒント\t" + plain_ + ".enc\n");
}

INSTANTIATE_TEST_SUITE_P(Zkcli, CipherRoundTrip,
                         ::testing::Values(CipherCase{"Twofish", "twofish", 0},
                                           CipherCase{"Rijndael", "rijndael", 1},
                                           CipherCase{"Gost", "gost", 2}, CipherCase{"GostByNumber", "2", 2}),
                         [](const auto& info) { return info.param.caseName; });

TEST_F(EncryptDecryptTest, WrongPasswordFailsWithItsTextAndWritesNothing) {
  ASSERT_EQ(Run({"encrypt", "-p", "right", plain_}).exitCode, 0);
  std::filesystem::remove(plain_);
  const std::vector<std::string> before = folder_.Listing();

  const ZkcliResult result = Run({"decrypt", "-p", "wrong", plain_ + ".enc"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "＊パスワードが違います：" + plain_ + ".enc\n");
  EXPECT_EQ(folder_.Listing(), before);
}

TEST_F(EncryptDecryptTest, OneFailingFileOfSeveralGivesStatus1AndALineForEach) {
  ASSERT_EQ(Run({"encrypt", "-p", "pw", plain_}).exitCode, 0);
  std::filesystem::remove(plain_);
  const std::string text = folder_.WriteFile("notes.txt", "a text file of more than twenty bytes");

  const ZkcliResult result = Run({"decrypt", "-p", "pw", text, plain_ + ".enc"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out,
            "＊不正なファイル形式です：" + text + "\n" + "復号成功 : " + plain_ + ".enc\t" + plain_ + "\n");
}

TEST_F(EncryptDecryptTest, PasswordFromStandardInput) {
  ASSERT_EQ(Run({"encrypt", "--password-stdin", plain_}, "from stdin\nsecond line\n").exitCode, 0);
  std::filesystem::remove(plain_);
  EXPECT_EQ(Run({"decrypt", "-p", "wrong", plain_ + ".enc"}).exitCode, 1);
  const ZkcliResult result = Run({"decrypt", "--password-stdin", plain_ + ".enc"}, "from stdin\r\n");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_EQ(TempFolder::ReadFile(plain_), SomeBytes(10000));
}

// A password or hint beyond Shift-JIS is used as its UTF-8 bytes, which the Windows program never does.
TEST_F(EncryptDecryptTest, TextsBeyondShiftJisAreNotedOnStandardError) {
  const std::string passwordNote = "パスワードにShift-JISで表せない文字が含まれているため、";
  const std::string hintNote = "ヒントにShift-JISで表せない文字が含まれているため、";
  const ZkcliResult beyond = Run({"encrypt", "-p", "pass😀", "--hint", "café", plain_});
  EXPECT_EQ(beyond.exitCode, 0) << beyond.err;
  EXPECT_NE(beyond.err.find(passwordNote), std::string::npos) << beyond.err;
  EXPECT_NE(beyond.err.find(hintNote), std::string::npos) << beyond.err;

  std::filesystem::remove(plain_ + ".enc");
  const ZkcliResult japanese = Run({"encrypt", "-p", "日本語のパスワードを長くする", "--hint", "いつもの", plain_});
  EXPECT_EQ(japanese.exitCode, 0) << japanese.err;
  EXPECT_EQ(japanese.err, "");
}

struct LevelCase {
  const char* name;
  const char* level;
  const char* password;
  bool accepted;
};

class PasswordLevel : public EncryptDecryptTest, public ::testing::WithParamInterface<LevelCase> {};

// Minimum lengths count CP932 bytes: あ is two bytes there (three in UTF-8).
TEST_P(PasswordLevel, MinimumLengthOfTheLevel) {
  const std::vector<std::string> before = folder_.Listing();
  const ZkcliResult result = Run({"encrypt", "--level", GetParam().level, "-p", GetParam().password, plain_});
  if (GetParam().accepted) {
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(Exists(plain_ + ".enc"));
  } else {
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(
        result.err.find(*GetParam().password ? "セキュリティレベル" : "パスワードが入力されていません。"),
        std::string::npos)
        << result.err;
    EXPECT_EQ(folder_.Listing(), before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Zkcli, PasswordLevel,
    ::testing::Values(LevelCase{"Level1Empty", "1", "", false}, LevelCase{"Level1OneByte", "1", "x", true},
                      LevelCase{"Level2FiveBytes", "2", "abcde", false},
                      LevelCase{"Level2SixCp932Bytes", "2", "あいう", true},
                      LevelCase{"Level3EightCp932Bytes", "3", "あいうえ", false},
                      LevelCase{"Level3TenCp932Bytes", "3", "あいうえお", true},
                      LevelCase{"Level4NineteenBytes", "4", "0123456789012345678", false},
                      LevelCase{"Level4TwentyBytes", "4", "01234567890123456789", true}),
    [](const auto& info) { return info.param.name; });

TEST_F(EncryptDecryptTest, WipeSourceOnlyAfterSuccess) {
  const std::string container = plain_ + ".enc";
  ASSERT_EQ(Run({"encrypt", "--wipe-source", "-p", "pw", plain_}).exitCode, 0);
  EXPECT_FALSE(Exists(plain_));
  EXPECT_TRUE(Exists(container));

  // A wrong password keeps the container; the right one wipes it after the plain file is back.
  EXPECT_EQ(Run({"decrypt", "--wipe-source", "-p", "bad", container}).exitCode, 1);
  EXPECT_TRUE(Exists(container));
  EXPECT_EQ(Run({"decrypt", "--wipe-source", "-p", "pw", container}).exitCode, 0);
  EXPECT_FALSE(Exists(container));
  EXPECT_EQ(TempFolder::ReadFile(plain_), SomeBytes(10000));

  // A read-only source fails with the read-only text and stays.
  chmod(plain_.c_str(), 0444);
  const ZkcliResult refused = Run({"encrypt", "--wipe-source", "-p", "pw", plain_});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out, "＊暗号化失敗(読み取り専用です)：" + plain_ + "\n");
  EXPECT_EQ(TempFolder::ReadFile(plain_), SomeBytes(10000));
  EXPECT_FALSE(Exists(container));
}

TEST_F(EncryptDecryptTest, ExplicitOutputOfOneFile) {
  folder_.MakeFolder("out");
  const std::string sealed = folder_.Path("out/sealed.bin");
  ZkcliResult result = Run({"encrypt", "-p", "pw", "-o", sealed, plain_});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "暗号化成功：" + plain_ + "\n");
  ASSERT_TRUE(Exists(sealed));

  // An existing file is never replaced by an encryption: the "_RENAMED" rule finds a free name.
  result = Run({"encrypt", "-p", "other", "-o", sealed, plain_});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(Exists(folder_.Path("out/sealed.bin_RENAMED.bin")));

  const std::string restored = folder_.Path("restored.txt");
  result = Run({"decrypt", "-p", "pw", "-o", restored, sealed});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "復号成功 : " + sealed + "\t" + restored + "\n");
  EXPECT_EQ(TempFolder::ReadFile(restored), SomeBytes(10000));
  EXPECT_EQ(ModificationTime(restored), kPlainDate);

  // --wipe-source in the single-file form: the source goes once its container stands.
  const std::string again = folder_.Path("out/again.bin");
  result = Run({"encrypt", "-p", "pw", "--wipe-source", "-o", again, restored});
  EXPECT_EQ(result.out, "暗号化成功：" + restored + "\n");
  EXPECT_FALSE(Exists(restored));
  EXPECT_EQ(Run({"decrypt", "-p", "pw", again}).out,
            "復号成功 : " + again + "\t" + folder_.Path("out/restored.txt") + "\n");
}

TEST_F(EncryptDecryptTest, ExplicitDecryptionOutputSurvivesAFailure) {
  const std::string sealed = folder_.Path("sealed.bin");
  ASSERT_EQ(Run({"encrypt", "-p", "pw", "-o", sealed, plain_}).exitCode, 0);
  const std::string precious = folder_.WriteFile("precious.txt", "keep me");
  const std::string cut = TempFolder::ReadFile(sealed).substr(0, 45);  // ends inside the name field
  const std::string truncated = folder_.WriteFile("truncated.bin", cut);

  for (const auto& [password, container] : {std::pair{"wrong", sealed}, std::pair{"pw", truncated}}) {
    const ZkcliResult result = Run({"decrypt", "-p", password, "-o", precious, container});
    EXPECT_EQ(result.exitCode, 1) << container;
    EXPECT_EQ(TempFolder::ReadFile(precious), "keep me") << container;
  }
  // The same output is replaced once a decryption succeeds.
  EXPECT_EQ(Run({"decrypt", "-p", "pw", "-o", precious, sealed}).exitCode, 0);
  EXPECT_EQ(TempFolder::ReadFile(precious), SomeBytes(10000));
}

TEST_F(EncryptDecryptTest, DecryptionToStandardOutputLeavesItThePlainBytesOnly) {
  ASSERT_EQ(Run({"encrypt", "-p", "pw", plain_}).exitCode, 0);
  std::filesystem::remove(plain_);
  const std::vector<std::string> before = folder_.Listing();
  const ZkcliResult result = Run({"decrypt", "-p", "pw", "-o", "-", plain_ + ".enc"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out == SomeBytes(10000));
  EXPECT_EQ(result.err, "復号成功 : " + plain_ + ".enc\t-\n");
  EXPECT_EQ(folder_.Listing(), before);

  // What went into a stream may be gone: the container is never wiped after it.
  EXPECT_EQ(Run({"decrypt", "-p", "pw", "--wipe-source", "-o", "-", plain_ + ".enc"}).exitCode, 2);
  EXPECT_EQ(Run({"encrypt", "-p", "pw", "-o", "-", folder_.WriteFile("b", "b")}).exitCode, 2);
}

// A link, a device or a FIFO named by -o is written into or refused, never replaced by a regular file.
TEST_F(EncryptDecryptTest, AnExplicitOutputThatIsNotAFileIsNeverReplaced) {
  const std::string sealed = folder_.Path("sealed.bin");
  ASSERT_EQ(Run({"encrypt", "-p", "pw", "-o", sealed, plain_}).exitCode, 0);
  const std::string toNull = folder_.MakeLink("to-null", "/dev/null");
  ZkcliResult result = Run({"decrypt", "-p", "pw", "-o", toNull, sealed});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "復号成功 : " + sealed + "\t" + toNull + "\n");
  EXPECT_TRUE(std::filesystem::is_symlink(toNull));

  const std::string fifo = folder_.Path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // 10000 bytes fit in the pipe
  ASSERT_GE(reader, 0);
  EXPECT_EQ(Run({"decrypt", "-p", "pw", "--wipe-source", "-o", fifo, sealed}).exitCode, 2);
  EXPECT_EQ(Run({"decrypt", "-p", "pw", "-o", fifo, sealed}).exitCode, 0);
  std::string received(20000, '\0');
  received.resize(static_cast<size_t>(read(reader, received.data(), received.size())));
  close(reader);
  EXPECT_TRUE(received == SomeBytes(10000));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  const std::string target = folder_.WriteFile("target.txt", "keep me");
  const std::string toFile = folder_.MakeLink("to-file", target);
  result = Run({"decrypt", "-p", "pw", "-o", toFile, sealed});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out,
            "＊復号失敗(出力先がリンクまたはフォルダなどで、置き換えられません)：" + sealed + "\n");
  EXPECT_TRUE(std::filesystem::is_symlink(toFile));
  EXPECT_EQ(TempFolder::ReadFile(target), "keep me");
}

// 97 double-byte characters and ".txt" fit the container (198 bytes in CP932) but not a Linux name (295
// bytes in UTF-8): the plain file gets the name cut to fit, at whole characters, its extension kept.
TEST_F(EncryptDecryptTest, AStoredNameTooLongForLinuxIsShortened) {
  std::string kanji97;
  for (int i = 0; i < 97; ++i) kanji97 += "\x8a\xbf";  // 漢 in CP932
  const std::string container =
      folder_.WriteFile("long.enc", HandMadeContainer({"pw", "", kanji97 + ".txt", -1, 0, "plain text"}));
  std::string shortened;
  for (int i = 0; i < 83; ++i) shortened += "漢";
  const ZkcliResult result = Run({"decrypt", "-p", "pw", container});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "復号成功 : " + container + "\t" + folder_.Path(shortened + ".txt") + "\n");
  EXPECT_EQ(TempFolder::ReadFile(folder_.Path(shortened + ".txt")), "plain text");
}

TEST_F(EncryptDecryptTest, FoldersExpandWithSubfoldersUnlessNoRecurse) {
  const std::string tree = folder_.MakeFolder("tree");
  folder_.MakeFolder("tree/sub");
  folder_.WriteFile("tree/b", "b");
  folder_.WriteFile("tree/a", "a");
  folder_.WriteFile("tree/sub/c", "c");
  folder_.MakeLink("tree/link", tree + "/sub");  // a link inside the tree is never entered: a line of its own
  const std::string linkLine = "＊暗号化失敗(フォルダへのリンクは辿りません)：" + tree + "/link\n";

  ZkcliResult result = Run({"encrypt", "-p", "pw", "--no-recurse", tree});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "暗号化成功：" + tree + "/a\n" + "暗号化成功：" + tree + "/b\n" + linkLine);
  EXPECT_FALSE(Exists(tree + "/sub/c.enc"));

  for (const char* name : {"/a.enc", "/b.enc"}) std::filesystem::remove(tree + name);
  result = Run({"encrypt", "-p", "pw", tree});
  EXPECT_EQ(result.out, "暗号化成功：" + tree + "/a\n" + "暗号化成功：" + tree + "/b\n" + linkLine +
                            "暗号化成功：" + tree + "/sub/c\n");
  EXPECT_TRUE(Exists(tree + "/sub/c.enc"));
  EXPECT_FALSE(Exists(tree + "/sub/c.enc_RENAMED.enc"))
      << "the subfolder was entered once, not again through the link";

  // A link to a folder given directly stands for the folder's files.
  std::filesystem::remove(tree + "/sub/c");
  result = Run({"decrypt", "-p", "pw", tree + "/link"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "復号成功 : " + tree + "/link/c.enc\t" + tree + "/link/c\n");
}

// The wipe of a source that is a link removes the link only: the line names the file that remains and the
// run counts it as failed.
TEST_F(EncryptDecryptTest, ALinkedSourceIsNotReportedAsWiped) {
  const std::string link = folder_.MakeLink("link.txt", plain_);
  const ZkcliResult result = Run({"encrypt", "-p", "pw", "--wipe-source", link});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "＊暗号化成功(リンク先は抹消されていません：" +
                            std::filesystem::canonical(plain_).string() + ")：" + link + "\n");
  EXPECT_FALSE(Exists(link));
  EXPECT_TRUE(Exists(plain_));
  EXPECT_TRUE(Exists(link + ".enc"));
}

TEST_F(EncryptDecryptTest, NamingOptions) {
  ASSERT_EQ(Run({"encrypt", "-p", "pw", "--naming", "own", "--ext", ".jpg", plain_}).exitCode, 0);
  EXPECT_TRUE(Exists(plain_ + ".jpg"));
  ASSERT_EQ(Run({"encrypt", "-p", "pw", "--naming", "enc", plain_}).exitCode, 0);
  EXPECT_TRUE(Exists(plain_ + ".enc"));
  const std::vector<std::string> before = folder_.Listing();
  ASSERT_EQ(Run({"encrypt", "-p", "pw", "--naming", "random", plain_}).exitCode, 0);
  std::vector<std::string> added;
  for (const std::string& name : folder_.Listing())
    if (std::find(before.begin(), before.end(), name) == before.end()) added.push_back(name);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].size(), 7u + 4u) << added[0];
  EXPECT_TRUE(added[0].ends_with(".bmp")) << "the default own extension";
}

TEST_F(EncryptDecryptTest, NamesOf200BytesAreRefused) {
  const std::string longName = folder_.WriteFile(std::string(200, 'n'), "x");
  const std::string shorter = folder_.WriteFile(std::string(199, 'n'), "x");
  const ZkcliResult result = Run({"encrypt", "-p", "pw", longName, shorter});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "＊暗号化失敗(処理元ファイル名が半角200文字以上です。)：" + longName + "\n" +
                            "暗号化成功：" + shorter + "\n");
}

// On Linux names that differ in case are two files: a container A.TXT storing a.txt decrypts to a.txt
// beside it, and wiping the source after encrypting A.TXT into a.txt is no wipe of the output.
TEST_F(EncryptDecryptTest, NamesThatDifferInCaseAreDifferentFiles) {
  folder_.MakeFolder("box");
  const std::string container = folder_.Path("box/A.TXT");
  const std::string plain = folder_.Path("box/a.txt");
  ASSERT_EQ(Run({"encrypt", "-p", "pw", "-o", container, plain_}).exitCode, 0);

  ZkcliResult result = Run({"decrypt", "-p", "pw", "--wipe-source", container});
  EXPECT_EQ(result.out, "復号成功 : " + container + "\t" + plain + "\n");
  EXPECT_EQ(TempFolder::ReadFile(plain), SomeBytes(10000));
  EXPECT_FALSE(Exists(container));

  result = Run({"encrypt", "-p", "pw", "--wipe-source", "-o", folder_.Path("box/a.TXT"), plain});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "暗号化成功：" + plain + "\n");
  EXPECT_FALSE(Exists(plain)) << "the source was wiped";
  EXPECT_TRUE(Exists(folder_.Path("box/a.TXT")));
}

// The 200-byte limit holds for the names encrypted, not for containers: the container of a 197-byte name
// (201 bytes with ".enc") opens again.
TEST_F(EncryptDecryptTest, TheContainerOfTheLongestNameOpens) {
  const std::string name(197, 'n');
  const std::string source = folder_.WriteFile(name, "long");
  ASSERT_EQ(Run({"encrypt", "-p", "pw", "--wipe-source", source}).exitCode, 0);
  const ZkcliResult result = Run({"decrypt", "-p", "pw", source + ".enc"});
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_EQ(TempFolder::ReadFile(source), "long");
}

}  // namespace
}  // namespace zk::test
