// zkcli hint, sha1, check-value and wipe.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <regex>
#include <string>

#include "FileStatus.h"
#include "TempFolder.h"
#include "WriteProtection.h"
#include "ZkcliProcess.h"
#include "engine/FileEngine.h"

namespace zk::test {
namespace {

TEST(ZkcliSha1, FiveGroupsAndThePath) {
  TempFolder folder;
  folder.WriteFile("abc", "abc");
  folder.WriteFile("empty", "");
  const ZkcliResult result = RunZkcli({"sha1", folder.Path("abc"), folder.Path("empty")}, folder.Path());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D\t" + folder.Path("abc") + "\n" +
                            "DA39A3EE 5E6B4B0D 3255BFEF 95601890 AFD80709\t" + folder.Path("empty") + "\n");
}

// A read-only file is hashed (also when even root may not write it); a missing one fails on its own, saying
// why, and the others are still hashed.
TEST(ZkcliSha1, ReadOnlyFilesAreHashedAndAMissingOneFails) {
  TempFolder folder;
  const std::string readOnly = folder.WriteFile("read-only", "abc");
  ::chmod(readOnly.c_str(), 0444);
  WriteProtection protection(readOnly);
  const std::string missing = folder.Path("missing");
  const ZkcliResult result = RunZkcli({"sha1", missing, readOnly}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D\t" + readOnly + "\n");
  EXPECT_EQ(result.err, "zkcli: " + missing + ": File not found ! (No such file or directory)\n");
}

TEST(ZkcliCheckValue, EqualsTheEnginesCheckValue) {
  TempFolder folder;
  TFileEngine engine;
  for (const char* password : {"secret", "パスワード", " blanks kept "}) {
    const ZkcliResult result = RunZkcli({"check-value", "-p", password}, folder.Path());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, engine.PasswordCheckValue(password) + "\n");
    EXPECT_TRUE(std::regex_match(result.out, std::regex("[0-9A-F]{8}\n"))) << result.out;
  }
  EXPECT_EQ(RunZkcli({"check-value", "--password-stdin"}, folder.Path(), "secret\n").out,
            engine.PasswordCheckValue("secret") + "\n");
}

// A short option takes its value attached as well (-pPASSWORD, -j1); the password never comes back in a
// message.
TEST(ZkcliCheckValue, TakesThePasswordAttachedAndNeverShowsIt) {
  TempFolder folder;
  EXPECT_EQ(RunZkcli({"check-value", "-psecret"}, folder.Path()).out,
            TFileEngine().PasswordCheckValue("secret") + "\n");
  const ZkcliResult refused = RunZkcli({"check-value", "-psecret", "--bogus"}, folder.Path());
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(refused.err.find("secret"), std::string::npos) << refused.err;
  folder.WriteFile("a.txt", "a");
  EXPECT_EQ(RunZkcli({"encrypt", "-psecret", "-j1", "a.txt"}, folder.Path()).out, "暗号化成功：a.txt\n");
}

// A password that would fall in under a day is told on stderr with its estimate, never itself, and the file
// is still encrypted; check-strength prints the estimated seconds and the estimate for scripts.
TEST(ZkcliStrength, AWeakPasswordIsToldAndCheckStrengthPrintsTheEstimate) {
  TempFolder folder;
  folder.WriteFile("a.txt", "plain");
  const ZkcliResult weak = RunZkcli({"encrypt", "-p", "Tr0ub4dor&3", "a.txt"}, folder.Path());
  EXPECT_EQ(weak.exitCode, 0);
  EXPECT_EQ(weak.out, "暗号化成功：a.txt\n");
  EXPECT_EQ(weak.err, "zkcli: このパスワードは１日以内に推測される恐れがあります。推測にかかる時間の目安：3時間\n");
  const ZkcliResult strong = RunZkcli({"encrypt", "-p", "correct horse battery staple", "a.txt"}, folder.Path());
  EXPECT_EQ(strong.exitCode, 0);
  EXPECT_EQ(strong.err, "");

  struct Case {
    std::vector<std::string> words;
    std::string input, out;
  };
  const Case cases[] = {
      {{"check-strength", "-p", "password"}, "", "1e-10\t推測にかかる時間の目安：1秒未満\n"},
      {{"check-strength", "--password-stdin"}, "Tr0ub4dor&3\n", "1.17e+04\t推測にかかる時間の目安：3時間\n"},
      {{"check-strength", "-p", "ひみつ"}, "",
       "0.0001\t推測にかかる時間の目安：1秒未満（日本語の単語などは辞書にないため、実際はもっと短い場合があります）\n"},
  };
  for (const Case& c : cases) {
    const ZkcliResult result = RunZkcli(c.words, folder.Path(), c.input);
    EXPECT_EQ(result.exitCode, 0) << c.words[2];
    EXPECT_EQ(result.out, c.out) << c.words[2];
  }
}

TEST(ZkcliHint, PrintsTheHintOrTheErrorText) {
  TempFolder folder;
  folder.WriteFile("a.txt", "plain");
  folder.WriteFile("ten", "0123456789");
  ASSERT_EQ(
      RunZkcli({"encrypt", "-p", "pw", "--hint", "誕生日", folder.Path("a.txt")}, folder.Path()).exitCode, 0);

  const ZkcliResult result = RunZkcli({"hint", folder.Path("a.txt.enc"), folder.Path("ten")}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "誕生日\t" + folder.Path("a.txt.enc") + "\n" +
                            "＊エラー：形式外または読み取り専用です。＊\t" + folder.Path("ten") + "\n");
}

TEST(ZkcliWipe, WipesWithYesAndReportsWhatItCannotWipe) {
  TempFolder folder;
  const std::string victim = folder.WriteFile("victim", "secret");
  const std::string locked = folder.WriteFile("locked", "kept");
  chmod(locked.c_str(), 0444);

  const ZkcliResult result = RunZkcli({"wipe", "--yes", victim, locked}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out,
            "抹消成功 : " + victim + "\n" +
                "＊抹消不可(ファイルが無効or読み取り専用orロックされている可能性があります。) : " + locked +
                "\n");
  EXPECT_FALSE(Exists(victim));
  EXPECT_EQ(TempFolder::ReadFile(locked), "kept");
}

TEST(ZkcliProgress, BarOnStderrOnlyWhenItIsATerminal) {
  TempFolder folder;
  const std::string plain = folder.WriteFile("big.bin", std::string(1 << 20, 'x'));

  const ZkcliResult shown = RunZkcli({"encrypt", "-p", "pw", plain}, folder.Path(), "", Stderr::kTerminal);
  EXPECT_EQ(shown.exitCode, 0);
  EXPECT_EQ(shown.out, "暗号化成功：" + plain + "\n") << "the bar never mixes into stdout";
  EXPECT_NE(shown.err.find("[1/1Files]big.binを暗号化中"), std::string::npos) << shown.err;
  EXPECT_NE(shown.err.find("%"), std::string::npos);
  EXPECT_NE(shown.err.find("/1.0 MiB [1/1Files]"), std::string::npos) << "the bytes in all";
  EXPECT_TRUE(shown.err.ends_with("\r\033[K")) << "the bar is cleared before the result line";

  const ZkcliResult quiet =
      RunZkcli({"decrypt", "-p", "pw", "-o", folder.Path("copy"), plain + ".enc"}, folder.Path());
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.err, "");
}

// The bar's label is cut to the terminal's width (80 columns where the terminal does not say) as the C
// library measures characters: "€" takes one column, "暗" two.
TEST(ZkcliProgress, LabelFitsTheColumnsOfItsCharacters) {
  struct Case {
    std::string character;
    int shown;  // how many fit beside "[1/1Files]" in the 40 columns left by the bar
  } cases[] = {{"€", 30}, {"暗", 15}};
  for (const Case& entry : cases) {
    TempFolder folder;
    std::string name;
    for (int i = 0; i < 60; ++i) name += entry.character;
    const std::string plain = folder.WriteFile(name, std::string(1 << 20, 'x'));
    const ZkcliResult shown = RunZkcli({"encrypt", "-p", "pw", plain}, folder.Path(), "", Stderr::kTerminal);
    std::string fits = "[1/1Files]";
    for (int i = 0; i < entry.shown; ++i) fits += entry.character;
    EXPECT_NE(shown.err.find(fits + "\033[K"), std::string::npos) << shown.err;
  }
}

TEST(ZkcliTerminal, EncryptionAsksTwiceWithoutEchoUntilTheEntriesMatch) {
  TempFolder folder;
  const std::string plain = folder.WriteFile("a.txt", "plain");
  const ZkcliResult result = RunZkcliOnTerminal({"encrypt", plain}, folder.Path(),
                                                {{"パスワード：", "typed secret\n"},
                                                 {"パスワード（再入力）：", "typo\n"},
                                                 {"一致しません。", ""},
                                                 {"パスワード：", "typed secret\n"},
                                                 {"パスワード（再入力）：", "typed secret\n"}});
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_EQ(result.out.find("secret"), std::string::npos) << "echoed: " << result.out;
  EXPECT_NE(result.out.find("暗号化成功：" + plain), std::string::npos) << result.out;
  EXPECT_EQ(
      RunZkcli({"decrypt", "-p", "typed secret", "-o", folder.Path("back"), plain + ".enc"}, folder.Path())
          .exitCode,
      0);
  EXPECT_EQ(TempFolder::ReadFile(folder.Path("back")), "plain");
}

TEST(ZkcliTerminal, WipeProceedsOnlyWhenTheWarningIsAnsweredYes) {
  TempFolder folder;
  const std::string victim = folder.WriteFile("victim", "secret");
  const std::string warning = "これは抹消モードです！本当によろしいですか？ [y/N] ";

  ZkcliResult result = RunZkcliOnTerminal({"wipe", victim}, folder.Path(), {{warning, "n\n"}});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find("以上1個のファイルをディスクから完全に抹消(wipe)します。"), std::string::npos);
  EXPECT_EQ(TempFolder::ReadFile(victim), "secret");

  result = RunZkcliOnTerminal({"wipe", victim}, folder.Path(), {{warning, "y\n"}});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("抹消成功 : " + victim), std::string::npos) << result.out;
  EXPECT_FALSE(Exists(victim));
}

}  // namespace
}  // namespace zk::test
