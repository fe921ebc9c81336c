#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "MountedImage.h"
#include "TempFolder.h"
#include "engine/BatchRules.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"
#include "platform/FileDate.h"
#include "platform/FileInfo.h"

namespace zk {
namespace {

class BatchRules : public ::testing::Test {
 protected:
  static int64_t ModificationTime(const std::string& path) {
    struct stat info;
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mtime;
  }

  test::TempFolder folder;
  TFileEngine engine;
  TBatchOptions options = [] {
    TBatchOptions o;
    o.Password = "pw";
    o.Hint = "hint";
    return o;
  }();
};

TEST(BatchTexts, StatusAndSummary) {
  EXPECT_EQ(RenderText(StatusLine(2, 5, "/data/a.txt", kStatusEncrypting)), "[2/5Files]/data/a.txtを暗号化中");
  EXPECT_EQ(RenderText(StatusLine(1, 1, "/b", kStatusWiping)), "[1/1Files]/bを抹消中");
  EXPECT_EQ(RenderText(SummaryText(0)), "全てのファイル/フォルダを正常に処理しました。");
  EXPECT_EQ(RenderText(SummaryText(3)), "終了しました。　失敗数 : 3個");
}

TEST(BatchTexts, ConfirmationOfEachMode) {
  EXPECT_EQ(RenderText(ConfirmationText(TBatchMode::kEncrypt, 3)),
            "以上3個のファイルを暗号化します。暗号化されたファイルは復号するまで他のアプリケーションからはア"
            "クセスできなく"
            "なります。よろしいですか？");
  EXPECT_EQ(RenderText(ConfirmationText(TBatchMode::kDecrypt, 0)),
            "以上0個のファイルを復号します。これらのファイルが正しいパスワードで暗号化されたものであることを"
            "確認してくださ"
            "い。よろしいですか？");
  EXPECT_EQ(RenderText(ConfirmationText(TBatchMode::kWipe, 12)),
            "以上12個のファイルをディスクから完全に抹消(wipe)"
            "します。抹消されたファイルは復元が不可能となります。よろしいで"
            "すか？");
}

TEST(BatchTexts, TheNameLimitCountsCp932Bytes) {
  std::string kanji100;
  for (int i = 0; i < 100; ++i) kanji100 += "漢";
  EXPECT_TRUE(NameTooLong("/dir/" + kanji100));                   // 200 bytes
  EXPECT_FALSE(NameTooLong("/dir/" + kanji100.substr(3) + "a"));  // 199 bytes
  EXPECT_TRUE(NameTooLong("/dir/" + std::string(200, 'a')));
  EXPECT_FALSE(NameTooLong("/" + std::string(300, 'd') + "/" + std::string(199, 'a')));
}

TEST_F(BatchRules, ProposedOutputNames) {
  const std::string source = folder.Path("photo.jpg");
  EXPECT_EQ(ProposedOutputName(source, kNamingStandard, ".bmp")->Choose(), source + ".enc");
  EXPECT_EQ(ProposedOutputName(source, kNamingOwnExtension, ".bmp")->Choose(), source + ".bmp");
  EXPECT_EQ(ProposedOutputName(source, kNamingOwnExtension, " x ")->Choose(), source + " x ");
  EXPECT_FALSE(ProposedOutputName(source, 3, ".bmp"));
  const std::regex randomName(
      std::regex_replace(folder.Path(""), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
      "[e-x0-9]{7}\\.bmp");
  for (int i = 0; i < 50; ++i) {
    const std::optional<TOutputName> request = ProposedOutputName(source, kNamingRandom, ".bmp");
    ASSERT_TRUE(request);
    const std::optional<std::string> name = request->Choose();
    EXPECT_TRUE(std::regex_match(*name, randomName)) << *name;
    EXPECT_FALSE(FileExists(*name));
  }
}

TEST_F(BatchRules, EncryptRowResults) {
  const std::string source = folder.WriteFile("a.txt", "plain");
  TRowResult row = EncryptRow(engine, source, options);
  EXPECT_EQ(row.Text(), "暗号化成功：");
  EXPECT_FALSE(row.Failed());
  EXPECT_TRUE(FileExists(source));
  EXPECT_EQ(engine.ReadHint(source + ".enc"), "hint");

  options.NamingMode = 7;
  row = EncryptRow(engine, source, options);
  EXPECT_EQ(row.Text(), "＊予期せぬエラー：");
  EXPECT_TRUE(row.Failed());

  options.NamingMode = kNamingOwnExtension;
  const std::string longName = folder.WriteFile(std::string(200, 'n'), "x");
  row = EncryptRow(engine, longName, options);
  EXPECT_EQ(row.Text(), "＊暗号化失敗(処理元ファイル名が半角200文字以上です。)：");
  EXPECT_FALSE(FileExists(longName + ".bmp"));
  EXPECT_EQ(EncryptRow(engine, folder.WriteFile(std::string(199, 'n'), "x"), options).Text(),
            "暗号化成功：");

  EXPECT_EQ(EncryptRow(engine, folder.Path("missing"), options).Text(), "＊暗号化失敗＊：");
}

TEST_F(BatchRules, AnExplicitOutputReplacesTheNamingModeButNeverAFile) {
  const std::string source = folder.WriteFile("a.txt", "plain");
  const std::string taken = folder.WriteFile("out.zk", "keep me");
  options.ExplicitOutput = taken;
  options.WipeSource = true;
  const TRowResult row = EncryptRow(engine, source, options);
  EXPECT_EQ(row.Text(), "暗号化成功：");
  EXPECT_EQ(test::TempFolder::ReadFile(taken), "keep me");
  EXPECT_FALSE(FileExists(source + ".enc"));
  EXPECT_FALSE(FileExists(source)) << "the source is wiped once the container is written";
  EXPECT_EQ(engine.LastOutputName, folder.Path("out.zk_RENAMED.zk"));
  // Passing a side result that the call itself overwrites must work.
  EXPECT_EQ(engine.DecryptFile(engine.LastOutputName, "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(test::TempFolder::ReadFile(source), "plain");
}

TEST_F(BatchRules, AReadOnlyFileGetsTheReadOnlyText) {
  const std::string source = folder.WriteFile("ro", "plain");
  ASSERT_EQ(::chmod(source.c_str(), 0444), 0);
  TRowResult row = EncryptRow(engine, source, options);
  EXPECT_EQ(row.Text(), "＊暗号化失敗(読み取り専用です)：");
  EXPECT_TRUE(row.Failed());
  EXPECT_FALSE(FileExists(source + ".enc"));
  row = DecryptRow(engine, source, options);
  EXPECT_EQ(row.Text(), "＊復号失敗(読み取り専用です)：");
  EXPECT_TRUE(row.Failed());
}

// One engine keeps what a password and hint give from row to row: a row with another password, algorithm or
// hint must never get the last row's.
TEST_F(BatchRules, RowsOfOtherPasswordsAlgorithmsAndHintsGetTheirOwnKeys) {
  struct TRowCase {
    const char* password;
    int32_t algorithm;
    const char* hint;
  };
  const TRowCase rows[] = {{"pw", 0, "h1"},    {"pw", 0, "h1"}, {"pw", 1, "h1"}, {"other", 1, "h1"},
                           {"other", 1, "h2"}, {"pw", 2, "h2"}, {"pw", 0, ""}};
  std::vector<std::string> containers;
  for (size_t i = 0; i < std::size(rows); ++i) {
    options.Password = rows[i].password;
    options.Algorithm = rows[i].algorithm;
    options.Hint = rows[i].hint;
    const std::string plain = folder.WriteFile("p" + std::to_string(i), "plain " + std::to_string(i));
    ASSERT_EQ(EncryptRow(engine, plain, options).Kind, TResultKind::kEncrypted) << i;
    containers.push_back(plain + ".enc");
    std::filesystem::remove(plain);
  }
  for (size_t i = 0; i < std::size(rows); ++i) {
    TFileEngine fresh;
    EXPECT_EQ(fresh.ReadHint(containers[i]), rows[i].hint) << i;
    const bool wrong = i == 3 || i == 5;  // the same engine, the right password and now and then a wrong one
    options.Password = wrong ? "wrong" : rows[i].password;
    const TRowResult row = DecryptRow(engine, containers[i], options);
    if (wrong) {
      EXPECT_EQ(row.Kind, TResultKind::kDecryptWrongPassword) << i;
      continue;
    }
    ASSERT_EQ(row.Kind, TResultKind::kDecrypted) << i;
    EXPECT_EQ(test::TempFolder::ReadFile(row.OutputPath), "plain " + std::to_string(i));
  }
}

// A failed row says why, in the words of the system call that failed; a success carries no cause.
TEST_F(BatchRules, AFailureCarriesItsCause) {
  const std::string readOnly = folder.WriteFile("ro", "plain");
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  EXPECT_EQ(EncryptRow(engine, readOnly, options).Cause, "cannot open " + readOnly + ": Permission denied");
  EXPECT_EQ(DecryptRow(engine, readOnly, options).Cause, "cannot open " + readOnly + ": Permission denied");
  EXPECT_EQ(EncryptRow(engine, folder.WriteFile("fine", "plain"), options).Cause, "");

  std::string whyNot;
  const auto fullDisk = test::MountedImage::Mount("tmpfs", whyNot);  // 16 MiB
  if (!fullDisk) GTEST_SKIP() << whyNot;
  const std::string big = folder.WriteFile("big", std::string(20 << 20, 'b'));
  options.ExplicitOutput = fullDisk->Path() + "big.enc";
  const TRowResult row = EncryptRow(engine, big, options);
  EXPECT_EQ(row.Kind, TResultKind::kEncryptFailed);
  EXPECT_TRUE(row.Cause.starts_with("cannot write ")) << row.Cause;
  EXPECT_TRUE(row.Cause.ends_with(": No space left on device")) << row.Cause;
  EXPECT_FALSE(FileExists(options.ExplicitOutput));
}

TEST_F(BatchRules, EncryptionWipesTheSourceOnlyWhenAsked) {
  const std::string kept = folder.WriteFile("kept", "plain");
  ASSERT_FALSE(EncryptRow(engine, kept, options).Failed());
  EXPECT_TRUE(FileExists(kept));

  test::TRecordingObserver observer;
  engine.Observer = &observer;
  options.WipeSource = true;
  const std::string wiped = folder.WriteFile("wiped", "plain");
  const TRowResult row = EncryptRow(engine, wiped, options);
  EXPECT_EQ(row.Text(), "暗号化成功：");
  EXPECT_FALSE(FileExists(wiped));
  EXPECT_EQ(observer.SourceWipes, 1);
  EXPECT_EQ(engine.DecryptFile(wiped + ".enc", "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(test::TempFolder::ReadFile(wiped), "plain");
}

// The source is deleted, but its overwrite stopped at the disk's end: the row fails and says so, and still
// tells that the output was made.
TEST_F(BatchRules, ASourceWipeCutShortMarksTheRowAndKeepsTheOutput) {
  options.WipeSource = true;
  options.WipeDecryptedSource = true;
  const std::string source = folder.WriteFile("src", std::string(1000, 's'));
  TRowResult row;
  {
    test::TFileSizeLimit limit(1500);  // the container fits, the 2048-byte overwrite does not
    row = EncryptRow(engine, source, options);
  }
  EXPECT_EQ(row.Text(), "＊暗号化成功(処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。)：");
  EXPECT_TRUE(row.Failed());
  EXPECT_FALSE(FileExists(source));
  {
    test::TFileSizeLimit limit(1500);
    row = DecryptRow(engine, source + ".enc", options);
  }
  EXPECT_EQ(row.Text(), "＊復号成功(処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。)：");
  EXPECT_TRUE(row.Failed());
  EXPECT_EQ(row.OutputPath, source);
  EXPECT_FALSE(FileExists(source + ".enc"));
  EXPECT_EQ(test::TempFolder::ReadFile(source), std::string(1000, 's'));
}

TEST_F(BatchRules, ASourceGoneBeforeItsWipeMarksTheRowAndKeepsTheContainer) {
  options.WipeSource = true;
  const std::string source = folder.WriteFile("src", "plain");
  test::TRecordingObserver observer;
  observer.OnPump = [&](int) { ::unlink(source.c_str()); };  // gone before its wipe
  engine.Observer = &observer;
  engine.ProcessMsgInterval = 1;
  const TRowResult row = EncryptRow(engine, source, options);
  EXPECT_EQ(row.Kind, TResultKind::kEncryptedSourceChanged);
  EXPECT_TRUE(row.Failed());
  EXPECT_EQ(engine.DecryptFile(source + ".enc", "pw"), TResultKind::kDecrypted);
  EXPECT_EQ(test::TempFolder::ReadFile(source), "plain");
}

TEST_F(BatchRules, DecryptionAppliesTheStoredDate) {
  const std::string source = folder.WriteFile("dated.txt", "plain");
  ASSERT_TRUE(ApplyPackedFileDate(source, 0x5A8C6000));
  const int64_t original = ModificationTime(source);
  ASSERT_EQ(EncryptRow(engine, source, options).Text(), "暗号化成功：");
  ASSERT_EQ(::unlink(source.c_str()), 0);
  const TRowResult row = DecryptRow(engine, source + ".enc", options);
  ASSERT_EQ(row.Text(), "復号成功 : ");
  EXPECT_EQ(row.OutputPath, source);
  EXPECT_LE(std::abs(ModificationTime(source) - original), 2);
}

TEST_F(BatchRules, AnUnknownDateLeavesTheFileAsWritten) {
  const std::string container =
      folder.WriteFile("c", test::HandMadeContainer({"pw", "", "undated", -1, 0, "plain"}));
  const TRowResult row = DecryptRow(engine, container, options);
  ASSERT_EQ(row.Text(), "復号成功 : ");
  EXPECT_EQ(engine.LastFileDate, -1);
  EXPECT_LE(std::abs(ModificationTime(folder.Path("undated")) - static_cast<int64_t>(::time(nullptr))), 60);
}

TEST_F(BatchRules, DecryptionWipesTheContainerOnlyWhenAsked) {
  const std::string container =
      folder.WriteFile("c", test::HandMadeContainer({"pw", "", "p", -1, 0, "plain"}));
  ASSERT_FALSE(DecryptRow(engine, container, options).Failed());
  EXPECT_TRUE(FileExists(container));
  ::unlink(folder.Path("p").c_str());
  options.WipeDecryptedSource = true;
  const TRowResult row = DecryptRow(engine, container, options);
  EXPECT_FALSE(row.Failed());
  EXPECT_FALSE(FileExists(container));
  EXPECT_EQ(test::TempFolder::ReadFile(row.OutputPath), "plain");
}

// The source of a row is its own file byte for byte: the output A.TXT of a.txt is another file, and the
// wipe of a.txt goes ahead.
TEST_F(BatchRules, AnOutputThatDiffersOnlyInCaseIsNoReasonToKeepTheSource) {
  options.WipeSource = true;
  options.ExplicitOutput = folder.Path("A.TXT");
  const std::string source = folder.WriteFile("a.txt", "plain");
  EXPECT_EQ(EncryptRow(engine, source, options).Text(), "暗号化成功：");
  EXPECT_FALSE(FileExists(source));
  options.ExplicitOutput.clear();

  options.WipeDecryptedSource = true;
  const TRowResult row = DecryptRow(engine, folder.Path("A.TXT"), options);
  EXPECT_EQ(row.Text(), "復号成功 : ");
  EXPECT_EQ(row.OutputPath, source);
  EXPECT_EQ(folder.Listing(), std::vector<std::string>{"a.txt"});
}

TEST_F(BatchRules, AnExplicitOutputOnTheContainerItselfIsNeverWiped) {
  options.WipeDecryptedSource = true;
  for (const std::string spelling : {"c", "sub/../c"}) {
    folder.MakeFolder("sub");
    const std::string container =
        folder.WriteFile("c", test::HandMadeContainer({"pw", "", "stored", -1, 0, "plain"}));
    engine.ExplicitOutputName = folder.Path(spelling);
    const TRowResult row = DecryptRow(engine, container, options);
    EXPECT_EQ(row.Text(), "復号成功 : ") << spelling;
    EXPECT_EQ(test::TempFolder::ReadFile(container), "plain") << spelling;
  }
}

// A source that is a link: its wipe removes the link only, and the row names the file the link led to, which
// remains, and counts as failed. A link that leads nowhere leaves nothing behind.
TEST_F(BatchRules, ALinkAsSourceIsRemovedAndItsTargetIsNamedAsKept) {
  folder.MakeFolder("secret");
  const std::string plain = folder.WriteFile("secret/notes.txt", "plain");
  const std::string container =
      folder.WriteFile("secret/c", test::HandMadeContainer({"pw", "", "p", -1, 0, "plain"}));
  const std::string realPlain = std::filesystem::canonical(plain).string();
  const std::string realContainer = std::filesystem::canonical(container).string();
  options.WipeSource = options.WipeDecryptedSource = true;

  const std::string plainLink = folder.MakeLink("notes.txt", plain);
  TRowResult row = EncryptRow(engine, plainLink, options);
  EXPECT_EQ(row.Text(), "＊暗号化成功(リンク先は抹消されていません：" + realPlain + ")：");
  EXPECT_TRUE(row.Failed());
  EXPECT_FALSE(FileExists(plainLink));
  EXPECT_EQ(test::TempFolder::ReadFile(plain), "plain");
  EXPECT_TRUE(FileExists(plainLink + ".enc"));

  const std::string containerLink = folder.MakeLink("c", container);
  row = DecryptRow(engine, containerLink, options);
  EXPECT_EQ(row.Text(), "＊復号成功(リンク先は抹消されていません：" + realContainer + ") : ");
  EXPECT_TRUE(row.Failed());
  EXPECT_EQ(row.OutputPath, folder.Path("p"));
  EXPECT_EQ(test::TempFolder::ReadFile(row.OutputPath), "plain");
  EXPECT_FALSE(FileExists(containerLink));
  EXPECT_TRUE(FileExists(container));

  const std::string wipeLink = folder.MakeLink("w", plain);
  row = WipeRow(engine, wipeLink);
  EXPECT_EQ(row.Text(), "＊リンクのみ削除(リンク先は抹消されていません：" + realPlain + ") : ");
  EXPECT_TRUE(row.Failed());
  EXPECT_FALSE(FileExists(wipeLink));
  EXPECT_EQ(test::TempFolder::ReadFile(plain), "plain");

  const std::string dangling = folder.MakeLink("dangling", folder.Path("nothing"));
  row = WipeRow(engine, dangling);
  EXPECT_EQ(row.Text(), "抹消成功 : ");
  EXPECT_FALSE(FileExists(dangling));
}

TEST_F(BatchRules, WipeRows) {
  const std::string path = folder.WriteFile("w", "data");
  EXPECT_EQ(WipeRow(engine, path).Text(), "抹消成功 : ");
  EXPECT_FALSE(FileExists(path));
  TRowResult row = WipeRow(engine, path);
  EXPECT_EQ(row.Text(), kWipeFailed);
  EXPECT_TRUE(row.Failed());

  folder.WriteFile("w", "data");
  {
    test::TFileSizeLimit limit(1000);
    row = WipeRow(engine, path);
  }
  EXPECT_EQ(row.Text(), "＊抹消不完全(ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。) : ");
  EXPECT_TRUE(row.Failed());
  EXPECT_FALSE(FileExists(path));
}

}  // namespace
}  // namespace zk
