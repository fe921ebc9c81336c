// Every result text of the file operations and the batch, in one place: the kinds of result and the text
// each one is shown as, for the desktop program and zkcli alike. Decisions look at the kind, never at the
// text.
#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "engine/TextTemplate.h"

namespace zk {

// Reading the hint of a container for the confirmation list.
inline constexpr std::string_view kReadHintError =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊エラー：形式外または読み取り専用です。＊");
// Shown both by a wipe and by a source wipe that fail.
inline constexpr std::string_view kWipeFailed = ZK_TRANSLATE_NOOP(
    "CoreTexts", "＊抹消不可(ファイルが無効or読み取り専用orロックされている可能性があります。) : ");

// What happened to one file. kUnexpectedError stays last (the catalogue below counts on it). A new kind is
// a name here and its row, with its text, in kResultCatalogue.
enum class TResultKind {
  kEncrypted,
  kEncryptFailed,
  kEncryptNameTooLong,
  kEncryptReadOnly,
  kDecrypted,
  kDecryptOldFormat,
  kDecryptNotContainer,
  kDecryptWrongPassword,
  kDecryptDamaged,
  kDecryptFailed,
  kDecryptReadOnly,
  // The explicit output is a link to a file, a folder or another kind that is never replaced.
  kDecryptOutputRefused,
  // A row of a re-encryption whose decryption had failed: it has no plain file to encrypt.
  kReEncryptNotDecrypted,
  kWiped,
  // Wiped where the overwrite may not have reached the old data.
  kWipedOldDataMayRemain,
  kWipeFailed,
  // Deleted, but the overwrite did not reach the end (a full disk): the old blocks may survive.
  kWipeIncomplete,
  // The file was encrypted or decrypted, but wiping its source afterwards failed or was cut short.
  kSourceWipeFailed,
  kEncryptedSourceWipeIncomplete,
  kDecryptedSourceWipeIncomplete,
  // The source was a link: the wipe removed the link only (wiping through a link could destroy a file
  // elsewhere), and the file it led to remains; the row names it (%1 in the text).
  kEncryptedLinkTargetKept,
  kDecryptedLinkTargetKept,
  kLinkOnlyWiped,
  // The output was made, but the source changed after it was read (or another ZK process was reading it),
  // so it was kept.
  kEncryptedSourceChanged,
  kDecryptedSourceChanged,
  // The file had other hard links: only this name was removed, its data remains under the others.
  kEncryptedHardLinkKept,
  kDecryptedHardLinkKept,
  kHardLinkOnlyRemoved,
  // Entries of a folder search that are not files to work on.
  kEncryptFolderLinkNotFollowed,
  kDecryptFolderLinkNotFollowed,
  kFolderUnreadable,
  kUnfinishedFileSkipped,
  kUnexpectedError,
};

// One row per kind, in the order of TResultKind: its identifier in zkcli's --json output (documented in
// zkcli(1); released identifiers never change), the text a row shows before its path (for a kind whose
// source was a link, the text before the file the link led to), and whether the row counts as failed.
// Only a completed encryption, decryption or wipe counts as success.
struct TResultEntry {
  TResultKind Kind;
  std::string_view Id;
  std::string_view Text;
  bool Failure;
};
inline constexpr TResultEntry kResultCatalogue[] = {
    {TResultKind::kEncrypted, "encrypted", ZK_TRANSLATE_NOOP("CoreTexts", "暗号化成功："), false},
    {TResultKind::kEncryptFailed, "encrypt-failed", ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗＊："), true},
    {TResultKind::kEncryptNameTooLong, "name-too-long",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗(処理元ファイル名が半角200文字以上です。)："), true},
    {TResultKind::kEncryptReadOnly, "encrypt-read-only",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗(読み取り専用です)："), true},
    {TResultKind::kDecrypted, "decrypted", ZK_TRANSLATE_NOOP("CoreTexts", "復号成功 : "), false},
    {TResultKind::kDecryptOldFormat, "old-format",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊古い形式です。Ver2.1で復号して下さい："), true},
    {TResultKind::kDecryptNotContainer, "not-a-container",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊不正なファイル形式です："), true},
    {TResultKind::kDecryptWrongPassword, "wrong-password",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊パスワードが違います："), true},
    {TResultKind::kDecryptDamaged, "damaged", ZK_TRANSLATE_NOOP("CoreTexts", "＊ファイルが不正です："), true},
    {TResultKind::kDecryptFailed, "decrypt-failed", ZK_TRANSLATE_NOOP("CoreTexts", "＊復号不可："), true},
    {TResultKind::kDecryptReadOnly, "decrypt-read-only",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊復号失敗(読み取り専用です)："), true},
    {TResultKind::kDecryptOutputRefused, "output-refused",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊復号失敗(出力先がリンクまたはフォルダなどで、置き換えられません)："),
     true},
    {TResultKind::kReEncryptNotDecrypted, "not-decrypted",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊再暗号化不可(復号されていないファイルです)："), true},
    {TResultKind::kWiped, "wiped", ZK_TRANSLATE_NOOP("CoreTexts", "抹消成功 : "), false},
    {TResultKind::kWipedOldDataMayRemain, "wiped-old-data-may-remain",
     ZK_TRANSLATE_NOOP("CoreTexts", "抹消成功(元のデータが残っている可能性があります) : "), false},
    {TResultKind::kWipeFailed, "wipe-failed", kWipeFailed, true},
    {TResultKind::kWipeIncomplete, "wipe-incomplete",
     ZK_TRANSLATE_NOOP(
         "CoreTexts",
         "＊抹消不完全("
         "ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。) : "),
     true},
    {TResultKind::kSourceWipeFailed, "source-wipe-failed", kWipeFailed, true},
    {TResultKind::kEncryptedSourceWipeIncomplete, "encrypted-source-wipe-incomplete",
     ZK_TRANSLATE_NOOP("CoreTexts",
                       "＊暗号化成功("
                       "処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能"
                       "性があります。)："),
     true},
    {TResultKind::kDecryptedSourceWipeIncomplete, "decrypted-source-wipe-incomplete",
     ZK_TRANSLATE_NOOP("CoreTexts",
                       "＊復号成功("
                       "処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能"
                       "性があります。)："),
     true},
    {TResultKind::kEncryptedLinkTargetKept, "encrypted-link-target-kept",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化成功(リンク先は抹消されていません：%1)："), true},
    {TResultKind::kDecryptedLinkTargetKept, "decrypted-link-target-kept",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊復号成功(リンク先は抹消されていません：%1) : "), true},
    {TResultKind::kLinkOnlyWiped, "link-only-wiped",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊リンクのみ削除(リンク先は抹消されていません：%1) : "), true},
    {TResultKind::kEncryptedSourceChanged, "encrypted-source-changed-kept",
     ZK_TRANSLATE_NOOP(
         "CoreTexts",
         "＊暗号化成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません)："),
     true},
    {TResultKind::kDecryptedSourceChanged, "decrypted-source-changed-kept",
     ZK_TRANSLATE_NOOP(
         "CoreTexts",
         "＊復号成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません) : "),
     true},
    {TResultKind::kEncryptedHardLinkKept, "encrypted-hard-link-kept",
     ZK_TRANSLATE_NOOP(
         "CoreTexts",
         "＊暗号化成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています)："),
     true},
    {TResultKind::kDecryptedHardLinkKept, "decrypted-hard-link-kept",
     ZK_TRANSLATE_NOOP(
         "CoreTexts",
         "＊復号成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています) : "),
     true},
    {TResultKind::kHardLinkOnlyRemoved, "hard-link-only-removed",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊名前のみ削除(データは他のハードリンクに残っています) : "), true},
    {TResultKind::kEncryptFolderLinkNotFollowed, "encrypt-folder-link-not-followed",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗(フォルダへのリンクは辿りません)："), true},
    {TResultKind::kDecryptFolderLinkNotFollowed, "decrypt-folder-link-not-followed",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊復号失敗(フォルダへのリンクは辿りません) : "), true},
    {TResultKind::kFolderUnreadable, "folder-unreadable",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊フォルダを読み取れません："), true},
    {TResultKind::kUnfinishedFileSkipped, "unfinished-file-skipped",
     ZK_TRANSLATE_NOOP("CoreTexts", "＊中断された処理の未完成ファイルです(処理しません)："), true},
    {TResultKind::kUnexpectedError, "unexpected-error", ZK_TRANSLATE_NOOP("CoreTexts", "＊予期せぬエラー："),
     true},
};

// A kind added to TResultKind without its row (or rows out of order) stops the build here.
constexpr bool CataloguesEveryKind() {
  constexpr size_t kKinds = static_cast<size_t>(TResultKind::kUnexpectedError) + 1;
  if (std::size(kResultCatalogue) != kKinds) return false;
  for (size_t i = 0; i < kKinds; ++i)
    if (kResultCatalogue[i].Kind != static_cast<TResultKind>(i)) return false;
  return true;
}
static_assert(CataloguesEveryKind(), "kResultCatalogue needs one row per TResultKind, in its order");

constexpr const TResultEntry& CatalogueEntry(TResultKind kind) {
  return kResultCatalogue[static_cast<size_t>(kind)];
}
constexpr std::string_view ResultText(TResultKind kind) { return CatalogueEntry(kind).Text; }
constexpr std::string_view ResultId(TResultKind kind) { return CatalogueEntry(kind).Id; }
constexpr bool IsFailure(TResultKind kind) { return CatalogueEntry(kind).Failure; }

// What a row shows before its path: the kind's sentence, naming `linkTarget` (%1) when the source was a link.
inline TText ResultSentence(TResultKind kind, std::string_view linkTarget) {
  return Sentence(ResultText(kind), {std::string(linkTarget)});
}

// A container's hint as the list and zkcli show it: kReadHintError when it could not be read.
inline TText HintText(const std::optional<std::string>& hint) {
  return hint ? PlainText(*hint) : Sentence(kReadHintError);
}

// The caption at the end of a run.
inline constexpr std::string_view kSummaryFailures =
    ZK_TRANSLATE_NOOP("CoreTexts", "終了しました。　失敗数 : %1個");
inline constexpr std::string_view kSummaryAllDone =
    ZK_TRANSLATE_NOOP("CoreTexts", "全てのファイル/フォルダを正常に処理しました。");

// The confirmation text of a batch, %1 the number of files.
inline constexpr std::string_view kConfirmEncrypt = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "以上%1個のファイルを暗号化します。暗号化されたファイルは復号するまで他のアプリケーションからはアクセス"
    "できなくなります。よろしいですか？");
inline constexpr std::string_view kConfirmDecrypt = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "以上%1個のファイルを復号します。これらのファイルが正しいパスワードで暗号化されたものであることを確認して"
    "ください。よろしいですか？");
inline constexpr std::string_view kConfirmWipe =
    ZK_TRANSLATE_NOOP("CoreTexts",
                      "以上%1個のファイルをディスクから完全に抹消(wipe)"
                      "します。抹消されたファイルは復元が不可能となります。よろしいですか？");
// The second confirmation of a wipe batch.
inline constexpr std::string_view kWipeWarning =
    ZK_TRANSLATE_NOOP("CoreTexts", "これは抹消モードです！本当によろしいですか？");
// The paragraph the wipe warning gains when files of the list lie where the overwrite may miss the old data.
inline constexpr std::string_view kWipeWarningOldDataMayRemain = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "一部のファイルはコピーオンライト・ネットワーク・フラッシュメモリ等の上にあり、上書きしても元のデータが"
    "残る可能性があります。\r\n確実に守るにはディスク全体の暗号化を使って下さい。");
// Two paragraphs, %1 and %2, as one text; nothing to translate.
inline constexpr std::string_view kParagraphs = "%1\r\n%2";

// The status line of the files at work: %1 the number of the file (or "3-4" for several at once), %2 the
// number of files, %3 the file's name.
inline constexpr std::string_view kStatusEncrypting =
    ZK_TRANSLATE_NOOP("CoreTexts", "[%1/%2Files]%3を暗号化中");
inline constexpr std::string_view kStatusDecrypting =
    ZK_TRANSLATE_NOOP("CoreTexts", "[%1/%2Files]%3を復号中");
inline constexpr std::string_view kStatusWiping = ZK_TRANSLATE_NOOP("CoreTexts", "[%1/%2Files]%3を抹消中");

// Progress lines: %1 bytes done of %2, %3 the percentage (for a wipe %1); %4 and %5 the same sizes in
// binary units, for a translation (ProgressLine).
inline constexpr std::string_view kProgressEncrypting =
    ZK_TRANSLATE_NOOP("CoreTexts", "暗号化中：%1/%2バイト　%3%");
inline constexpr std::string_view kProgressDecrypting =
    ZK_TRANSLATE_NOOP("CoreTexts", "復号中：%1/%2バイト　%3%");
inline constexpr std::string_view kProgressWiping = ZK_TRANSLATE_NOOP("CoreTexts", "不要データ抹消中：%1%");

// The error of a wipe whose exclusive open for writing fails.
inline constexpr std::string_view kWipeCannotOpen = ZK_TRANSLATE_NOOP("CoreTexts", "ファイルが開けません");

}  // namespace zk
