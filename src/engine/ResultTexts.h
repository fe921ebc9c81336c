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

// Encryption of one file.
inline constexpr std::string_view kEncryptSuccess = ZK_TRANSLATE_NOOP("CoreTexts", "暗号化成功：");
inline constexpr std::string_view kEncryptFailed = ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗＊：");

// Decryption of one file.
inline constexpr std::string_view kDecryptSuccess = ZK_TRANSLATE_NOOP("CoreTexts", "復号成功 : ");
inline constexpr std::string_view kDecryptOldFormat =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊古い形式です。Ver2.1で復号して下さい：");
inline constexpr std::string_view kDecryptNotContainer =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊不正なファイル形式です：");
inline constexpr std::string_view kDecryptWrongPassword =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊パスワードが違います：");
inline constexpr std::string_view kDecryptDamaged = ZK_TRANSLATE_NOOP("CoreTexts", "＊ファイルが不正です：");
inline constexpr std::string_view kDecryptFailed = ZK_TRANSLATE_NOOP("CoreTexts", "＊復号不可：");
// An explicit output that is a link to a file, a folder or another kind that is never replaced.
inline constexpr std::string_view kDecryptOutputRefused =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊復号失敗(出力先がリンクまたはフォルダなどで、置き換えられません)：");

// Reading the hint of a container for the confirmation list.
inline constexpr std::string_view kReadHintError =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊エラー：形式外または読み取り専用です。＊");

// Texts of the batch, which replace or stand in for the texts above.
inline constexpr std::string_view kEncryptNameTooLong =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗(処理元ファイル名が半角200文字以上です。)：");
inline constexpr std::string_view kEncryptReadOnly =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗(読み取り専用です)：");
inline constexpr std::string_view kDecryptReadOnly =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊復号失敗(読み取り専用です)：");
inline constexpr std::string_view kUnexpectedError = ZK_TRANSLATE_NOOP("CoreTexts", "＊予期せぬエラー：");
// A row of a re-encryption whose decryption had failed: it has no plain file to encrypt.
inline constexpr std::string_view kReEncryptNotDecrypted =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊再暗号化不可(復号されていないファイルです)：");
inline constexpr std::string_view kWipeSuccess = ZK_TRANSLATE_NOOP("CoreTexts", "抹消成功 : ");
// A wipe that worked on storage where the overwrite may not reach the old data (copy-on-write, network,
// flash and the like).
inline constexpr std::string_view kWipeSuccessOldDataMayRemain =
    ZK_TRANSLATE_NOOP("CoreTexts", "抹消成功(元のデータが残っている可能性があります) : ");
inline constexpr std::string_view kWipeFailed = ZK_TRANSLATE_NOOP(
    "CoreTexts", "＊抹消不可(ファイルが無効or読み取り専用orロックされている可能性があります。) : ");
// The file was deleted, but its overwrite did not reach the end (a full disk): a failure, since the old
// blocks may survive. For a source wipe the row still says that the output was made.
inline constexpr std::string_view kWipeIncomplete = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "＊抹消不完全("
    "ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。) : ");
inline constexpr std::string_view kEncryptWipeIncomplete = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "＊暗号化成功("
    "処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があり"
    "ます。)：");
inline constexpr std::string_view kDecryptWipeIncomplete = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "＊復号成功("
    "処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります"
    "。)：");

// A source that is a symbolic link: its wipe removes the link only (wiping through a link could destroy a
// file elsewhere), so the file it leads to remains. The row names that file (%1) and counts as failed.
inline constexpr std::string_view kEncryptLinkTargetKept =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化成功(リンク先は抹消されていません：%1)：");
inline constexpr std::string_view kDecryptLinkTargetKept =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊復号成功(リンク先は抹消されていません：%1) : ");
inline constexpr std::string_view kWipeLinkTargetKept =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊リンクのみ削除(リンク先は抹消されていません：%1) : ");

// A source that changed after it was read (written to, replaced, grown or cut), or that another ZK process
// was reading, when its wipe came: the output was made, the source is kept.
inline constexpr std::string_view kEncryptSourceChanged = ZK_TRANSLATE_NOOP(
    "CoreTexts", "＊暗号化成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません)：");
inline constexpr std::string_view kDecryptSourceChanged = ZK_TRANSLATE_NOOP(
    "CoreTexts", "＊復号成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません) : ");

// A file with other hard links is never overwritten (that would destroy the data under its other names):
// only this name is removed.
inline constexpr std::string_view kEncryptHardLinkKept = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "＊暗号化成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています)：");
inline constexpr std::string_view kDecryptHardLinkKept = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "＊復号成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています) : ");
inline constexpr std::string_view kWipeHardLinkKept =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊名前のみ削除(データは他のハードリンクに残っています) : ");

// Rows that a folder search gives besides files: a link to a folder inside the searched folder (never
// entered), a folder that cannot be read, and the unfinished output of an interrupted run.
inline constexpr std::string_view kEncryptFolderLinkNotFollowed =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗(フォルダへのリンクは辿りません)：");
inline constexpr std::string_view kDecryptFolderLinkNotFollowed =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊復号失敗(フォルダへのリンクは辿りません) : ");
inline constexpr std::string_view kFolderUnreadable =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊フォルダを読み取れません：");
inline constexpr std::string_view kUnfinishedFileSkipped =
    ZK_TRANSLATE_NOOP("CoreTexts", "＊中断された処理の未完成ファイルです(処理しません)：");

// What happened to one file. kUnexpectedError stays last (the catalogue below counts on it).
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
  kDecryptOutputRefused,
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
  // The source was a link: the wipe removed the link only, and the file it led to remains.
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
    {TResultKind::kEncrypted, "encrypted", kEncryptSuccess, false},
    {TResultKind::kEncryptFailed, "encrypt-failed", kEncryptFailed, true},
    {TResultKind::kEncryptNameTooLong, "name-too-long", kEncryptNameTooLong, true},
    {TResultKind::kEncryptReadOnly, "encrypt-read-only", kEncryptReadOnly, true},
    {TResultKind::kDecrypted, "decrypted", kDecryptSuccess, false},
    {TResultKind::kDecryptOldFormat, "old-format", kDecryptOldFormat, true},
    {TResultKind::kDecryptNotContainer, "not-a-container", kDecryptNotContainer, true},
    {TResultKind::kDecryptWrongPassword, "wrong-password", kDecryptWrongPassword, true},
    {TResultKind::kDecryptDamaged, "damaged", kDecryptDamaged, true},
    {TResultKind::kDecryptFailed, "decrypt-failed", kDecryptFailed, true},
    {TResultKind::kDecryptReadOnly, "decrypt-read-only", kDecryptReadOnly, true},
    {TResultKind::kDecryptOutputRefused, "output-refused", kDecryptOutputRefused, true},
    {TResultKind::kReEncryptNotDecrypted, "not-decrypted", kReEncryptNotDecrypted, true},
    {TResultKind::kWiped, "wiped", kWipeSuccess, false},
    {TResultKind::kWipedOldDataMayRemain, "wiped-old-data-may-remain", kWipeSuccessOldDataMayRemain, false},
    {TResultKind::kWipeFailed, "wipe-failed", kWipeFailed, true},
    {TResultKind::kWipeIncomplete, "wipe-incomplete", kWipeIncomplete, true},
    {TResultKind::kSourceWipeFailed, "source-wipe-failed", kWipeFailed, true},
    {TResultKind::kEncryptedSourceWipeIncomplete, "encrypted-source-wipe-incomplete", kEncryptWipeIncomplete,
     true},
    {TResultKind::kDecryptedSourceWipeIncomplete, "decrypted-source-wipe-incomplete", kDecryptWipeIncomplete,
     true},
    {TResultKind::kEncryptedLinkTargetKept, "encrypted-link-target-kept", kEncryptLinkTargetKept, true},
    {TResultKind::kDecryptedLinkTargetKept, "decrypted-link-target-kept", kDecryptLinkTargetKept, true},
    {TResultKind::kLinkOnlyWiped, "link-only-wiped", kWipeLinkTargetKept, true},
    {TResultKind::kEncryptedSourceChanged, "encrypted-source-changed-kept", kEncryptSourceChanged, true},
    {TResultKind::kDecryptedSourceChanged, "decrypted-source-changed-kept", kDecryptSourceChanged, true},
    {TResultKind::kEncryptedHardLinkKept, "encrypted-hard-link-kept", kEncryptHardLinkKept, true},
    {TResultKind::kDecryptedHardLinkKept, "decrypted-hard-link-kept", kDecryptHardLinkKept, true},
    {TResultKind::kHardLinkOnlyRemoved, "hard-link-only-removed", kWipeHardLinkKept, true},
    {TResultKind::kEncryptFolderLinkNotFollowed, "encrypt-folder-link-not-followed",
     kEncryptFolderLinkNotFollowed, true},
    {TResultKind::kDecryptFolderLinkNotFollowed, "decrypt-folder-link-not-followed",
     kDecryptFolderLinkNotFollowed, true},
    {TResultKind::kFolderUnreadable, "folder-unreadable", kFolderUnreadable, true},
    {TResultKind::kUnfinishedFileSkipped, "unfinished-file-skipped", kUnfinishedFileSkipped, true},
    {TResultKind::kUnexpectedError, "unexpected-error", kUnexpectedError, true},
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
// The same, rendered with `shown`'s translation of the sentence (the core's own text without one).
inline std::string ResultText(TResultKind kind, std::string_view linkTarget, const TShownText& shown = {}) {
  return RenderText(ResultSentence(kind, linkTarget), shown);
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
