#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/BatchRules.h"
#include "engine/PasswordStrength.h"
#include "engine/ResultTexts.h"

namespace zk {
namespace {

// Every kind with the text the list and zkcli show for it, spelled out: a kind mapped to a neighbour's text
// shows here.
TEST(ResultTexts, EveryKindHasItsText) {
  struct Case {
    TResultKind kind;
    std::string_view text;
    bool failure;  // for a kind whose source was a link, %1 names the file it led to
  } cases[] = {
      {TResultKind::kEncrypted, "暗号化成功：", false},
      {TResultKind::kEncryptFailed, "＊暗号化失敗＊：", true},
      {TResultKind::kEncryptNameTooLong, "＊暗号化失敗(処理元ファイル名が半角200文字以上です。)：", true},
      {TResultKind::kEncryptReadOnly, "＊暗号化失敗(読み取り専用です)：", true},
      {TResultKind::kDecrypted, "復号成功 : ", false},
      {TResultKind::kDecryptOldFormat, "＊古い形式です。Ver2.1で復号して下さい：", true},
      {TResultKind::kDecryptNotContainer, "＊不正なファイル形式です：", true},
      {TResultKind::kDecryptWrongPassword, "＊パスワードが違います：", true},
      {TResultKind::kDecryptDamaged, "＊ファイルが不正です：", true},
      {TResultKind::kDecryptFailed, "＊復号不可：", true},
      {TResultKind::kDecryptReadOnly, "＊復号失敗(読み取り専用です)：", true},
      {TResultKind::kDecryptOutputRefused,
       "＊復号失敗(出力先がリンクまたはフォルダなどで、置き換えられません)：", true},
      {TResultKind::kReEncryptNotDecrypted, "＊再暗号化不可(復号されていないファイルです)：", true},
      {TResultKind::kWiped, "抹消成功 : ", false},
      {TResultKind::kWipedOldDataMayRemain, "抹消成功(元のデータが残っている可能性があります) : ", false},
      {TResultKind::kWipeFailed,
       "＊抹消不可(ファイルが無効or読み取り専用orロックされている可能性があります。) : ", true},
      {TResultKind::kWipeIncomplete,
       "＊抹消不完全("
       "ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。) : ",
       true},
      {TResultKind::kSourceWipeFailed,
       "＊抹消不可(ファイルが無効or読み取り専用orロックされている可能性があります。) : ", true},
      {TResultKind::kEncryptedSourceWipeIncomplete,
       "＊暗号化成功("
       "処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。)"
       "：",
       true},
      {TResultKind::kDecryptedSourceWipeIncomplete,
       "＊復号成功("
       "処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。)"
       "：",
       true},
      {TResultKind::kEncryptedLinkTargetKept, "＊暗号化成功(リンク先は抹消されていません：%1)：", true},
      {TResultKind::kDecryptedLinkTargetKept, "＊復号成功(リンク先は抹消されていません：%1) : ", true},
      {TResultKind::kLinkOnlyWiped, "＊リンクのみ削除(リンク先は抹消されていません：%1) : ", true},
      {TResultKind::kEncryptedSourceChanged,
       "＊暗号化成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません)：", true},
      {TResultKind::kDecryptedSourceChanged,
       "＊復号成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません) : ", true},
      {TResultKind::kEncryptedHardLinkKept,
       "＊暗号化成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています)：", true},
      {TResultKind::kDecryptedHardLinkKept,
       "＊復号成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています) : ", true},
      {TResultKind::kHardLinkOnlyRemoved, "＊名前のみ削除(データは他のハードリンクに残っています) : ", true},
      {TResultKind::kEncryptFolderLinkNotFollowed, "＊暗号化失敗(フォルダへのリンクは辿りません)：", true},
      {TResultKind::kDecryptFolderLinkNotFollowed, "＊復号失敗(フォルダへのリンクは辿りません) : ", true},
      {TResultKind::kFolderUnreadable, "＊フォルダを読み取れません：", true},
      {TResultKind::kUnfinishedFileSkipped, "＊中断された処理の未完成ファイルです(処理しません)：", true},
      {TResultKind::kUnexpectedError, "＊予期せぬエラー：", true},
  };
  std::set<TResultKind> seen;
  for (const Case& c : cases) {
    const int number = static_cast<int>(c.kind);
    EXPECT_EQ(ResultText(c.kind), c.text) << number;
    EXPECT_EQ(IsFailure(c.kind), c.failure) << number;
    const TRowResult row{c.kind, {}, "/kept"};
    std::string shown(c.text);
    if (const size_t link = shown.find("%1"); link != std::string::npos) shown.replace(link, 2, "/kept");
    EXPECT_EQ(row.Text(), shown) << number;
    EXPECT_EQ(row.Failed(), c.failure) << number;
    seen.insert(c.kind);
  }
  // The table names every kind once: the last kind's number is the count less one.
  EXPECT_EQ(seen.size(), std::size(cases));
  EXPECT_EQ(static_cast<size_t>(TResultKind::kUnexpectedError) + 1, std::size(cases));
}

TEST(ResultTexts, AHintThatCannotBeReadShowsTheErrorText) {
  EXPECT_EQ(RenderText(HintText(std::nullopt)), "＊エラー：形式外または読み取り専用です。＊");
  EXPECT_EQ(RenderText(HintText(std::string())), "");
  EXPECT_EQ(RenderText(HintText(std::string("ヒント"))), "ヒント");
}

// A text is rendered in one pass, each template translated as a whole and each value shown its own way: a
// value is never read as a template, whatever it holds.
TEST(ResultTexts, RenderedFromWholeSentences) {
  const TShownText english = [](std::string_view text) {
    if (text == kStatusEncrypting) return std::string("[%1/%2] Encrypting %3");
    if (text == kStrength) return std::string("Time to guess it: %1");
    if (text == kHours) return std::string("%1 hours");
    return std::string(text);
  };
  const TValueDisplay quoted = [](std::string_view value) { return "'" + std::string(value) + "'"; };
  EXPECT_EQ(RenderText(StatusLine(3, 4, 9, "a%2b%", kStatusEncrypting)), "[3-4/9Files]a%2b%を暗号化中");
  EXPECT_EQ(RenderText(StatusLine(3, 4, 9, "a%2b%", kStatusEncrypting), english), "[3-4/9] Encrypting a%2b%");
  EXPECT_EQ(RenderText(StatusLine(1, 1, 2, "x", kStatusEncrypting), english, quoted),
            "['1'/'2'] Encrypting 'x'");
  EXPECT_EQ(RenderText(StrengthText({.Seconds = 3 * 3600}), english), "Time to guess it: 3 hours");
  EXPECT_EQ(RenderText(Sentence("%1 %3 %", {"a"})), "a %3 %");
}

}  // namespace
}  // namespace zk
