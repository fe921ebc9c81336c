// The kinds of result against their --json identifiers and the texts zkcli shows in both languages. The
// identifiers are a promise to scripts: a changed one shows here.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cli/ShownTexts.h"
#include "engine/ResultTexts.h"

namespace zk::cli {
namespace {

struct CatalogueCase {
  TResultKind kind;
  std::string_view id;
  std::string_view english;
};
constexpr CatalogueCase kCases[] = {
    {TResultKind::kEncrypted, "encrypted", "Encrypted: "},
    {TResultKind::kEncryptFailed, "encrypt-failed", "*Encryption failed*: "},
    {TResultKind::kEncryptNameTooLong, "name-too-long",
     "*Encryption failed (the source file name is 200 half-width characters or longer): "},
    {TResultKind::kEncryptReadOnly, "encrypt-read-only", "*Encryption failed (read-only): "},
    {TResultKind::kDecrypted, "decrypted", "Decrypted: "},
    {TResultKind::kDecryptOldFormat, "old-format", "*Old format. Please decrypt it with Ver2.1: "},
    {TResultKind::kDecryptNotContainer, "not-a-container", "*Not a valid file format: "},
    {TResultKind::kDecryptWrongPassword, "wrong-password", "*Wrong password: "},
    {TResultKind::kDecryptDamaged, "damaged", "*The file is damaged: "},
    {TResultKind::kDecryptFailed, "decrypt-failed", "*Cannot decrypt: "},
    {TResultKind::kDecryptReadOnly, "decrypt-read-only", "*Decryption failed (read-only): "},
    {TResultKind::kDecryptOutputRefused, "output-refused",
     "*Decryption failed (the output is a link, a folder or the like and cannot be replaced): "},
    {TResultKind::kReEncryptNotDecrypted, "not-decrypted",
     "*Cannot re-encrypt (the file was not decrypted): "},
    {TResultKind::kWiped, "wiped", "Wiped: "},
    {TResultKind::kWipedOldDataMayRemain, "wiped-old-data-may-remain", "Wiped (the old data may remain): "},
    {TResultKind::kWipeFailed, "wipe-failed",
     "*Cannot wipe (the file may be invalid, read-only or locked): "},
    {TResultKind::kWipeIncomplete, "wipe-incomplete",
     "*Wipe incomplete (the file was deleted, but the overwrite did not finish; the old data may remain): "},
    {TResultKind::kSourceWipeFailed, "source-wipe-failed",
     "*Cannot wipe (the file may be invalid, read-only or locked): "},
    {TResultKind::kEncryptedSourceWipeIncomplete, "encrypted-source-wipe-incomplete",
     "*Encrypted (the source file was deleted, but its overwrite did not finish; the old data may remain): "},
    {TResultKind::kDecryptedSourceWipeIncomplete, "decrypted-source-wipe-incomplete",
     "*Decrypted (the source file was deleted, but its overwrite did not finish; the old data may remain): "},
    {TResultKind::kEncryptedLinkTargetKept, "encrypted-link-target-kept",
     "*Encrypted (the file the link led to was not wiped: %1): "},
    {TResultKind::kDecryptedLinkTargetKept, "decrypted-link-target-kept",
     "*Decrypted (the file the link led to was not wiped: %1): "},
    {TResultKind::kLinkOnlyWiped, "link-only-wiped",
     "*Only the link was deleted (the file it led to was not wiped: %1): "},
    {TResultKind::kEncryptedSourceChanged, "encrypted-source-changed-kept",
     "*Encrypted (the source changed after it was read, or was in use, so it was kept): "},
    {TResultKind::kDecryptedSourceChanged, "decrypted-source-changed-kept",
     "*Decrypted (the container changed after it was read, or was in use, so it was kept): "},
    {TResultKind::kEncryptedHardLinkKept, "encrypted-hard-link-kept",
     "*Encrypted (only the source's name was removed; its data remains under its other hard links): "},
    {TResultKind::kDecryptedHardLinkKept, "decrypted-hard-link-kept",
     "*Decrypted (only the container's name was removed; its data remains under its other hard links): "},
    {TResultKind::kHardLinkOnlyRemoved, "hard-link-only-removed",
     "*Only this name was removed (the data remains under its other hard links): "},
    {TResultKind::kEncryptFolderLinkNotFollowed, "encrypt-folder-link-not-followed",
     "*Not encrypted (a link to a folder is not followed): "},
    {TResultKind::kDecryptFolderLinkNotFollowed, "decrypt-folder-link-not-followed",
     "*Not decrypted (a link to a folder is not followed): "},
    {TResultKind::kFolderUnreadable, "folder-unreadable", "*Cannot read the folder: "},
    {TResultKind::kUnfinishedFileSkipped, "unfinished-file-skipped",
     "*Unfinished file of an interrupted run (left as it is): "},
    {TResultKind::kUnexpectedError, "unexpected-error", "*Unexpected error: "},
};

TEST(ResultCatalogue, EveryKindHasItsIdentifierAndEnglishText) {
  ASSERT_EQ(std::size(kCases), std::size(kResultCatalogue));
  for (const CatalogueCase& entry : kCases) {
    SCOPED_TRACE(entry.id);
    EXPECT_EQ(ResultId(entry.kind), entry.id);
    EXPECT_EQ(EnglishText(ResultText(entry.kind)), entry.english);
  }
}

// A script tells the kinds apart by identifier alone; the Japanese texts of two kinds may be the same.
TEST(ResultCatalogue, IdentifiersAreUniqueAndPlain) {
  std::set<std::string_view> seen;
  for (const TResultEntry& entry : kResultCatalogue) {
    EXPECT_TRUE(seen.insert(entry.Id).second) << entry.Id;
    EXPECT_EQ(entry.Id.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"), std::string_view::npos)
        << entry.Id;
  }
}

// Every core text zkcli shows has its English translation: one that lacks it would stay Japanese under an
// English locale.
TEST(ResultCatalogue, EveryResultTextIsTranslated) {
  for (const TResultEntry& entry : kResultCatalogue)
    EXPECT_NE(EnglishText(entry.Text), entry.Text) << entry.Id;
  EXPECT_NE(EnglishText(kReadHintError), kReadHintError);
  for (const std::string_view status : {kStatusEncrypting, kStatusDecrypting, kStatusWiping})
    EXPECT_NE(EnglishText(status), status);
}

}  // namespace
}  // namespace zk::cli
