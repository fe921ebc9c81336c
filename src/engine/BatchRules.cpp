#include "BatchRules.h"

#include "FileEngine.h"
#include "OutputNames.h"
#include "ResultTexts.h"
#include "SearchEntries.h"
#include "platform/CodePage.h"
#include "platform/Durability.h"
#include "platform/FileError.h"
#include "platform/FileInfo.h"
#include "platform/OverwriteReach.h"
#include "platform/Paths.h"

namespace zk {
namespace {

// The source must survive when the output is the source itself, however the path is spelled. Names are
// compared byte for byte: on Linux a.txt and A.TXT are two files unless they are one (the same inode).
bool IsSourceItself(const std::string& source, const std::string& output) {
  return source == output || SameFile(source, output);
}

TRowResult WithCause(TResultKind kind, std::string cause) {
  TRowResult row{kind};
  row.Cause = std::move(cause);
  return row;
}

// The kinds a row takes when its source wipe after a success does not simply succeed.
struct TSourceWipeKinds {
  TResultKind linkTargetKept;
  TResultKind hardLinkKept;
  TResultKind changed;
  TResultKind incomplete;
};
constexpr TSourceWipeKinds kEncryptionSourceWipe{
    TResultKind::kEncryptedLinkTargetKept, TResultKind::kEncryptedHardLinkKept,
    TResultKind::kEncryptedSourceChanged, TResultKind::kEncryptedSourceWipeIncomplete};
constexpr TSourceWipeKinds kDecryptionSourceWipe{
    TResultKind::kDecryptedLinkTargetKept, TResultKind::kDecryptedHardLinkKept,
    TResultKind::kDecryptedSourceChanged, TResultKind::kDecryptedSourceWipeIncomplete};

// Wipes a source whose result is already complete, and only when it is still exactly what was read: what
// was written to it since is in no output. The result is flushed first (the file and its folder entry), so
// that a crash at any moment leaves at least one complete copy. Returns the row's result when it is not
// the plain success.
std::optional<TRowResult> WipeSourceAfter(TFileEngine& engine, const std::string& source,
                                          const std::string& result, const TSourceWipeKinds& kinds) {
  if (!engine.LastSourceSnapshot) return TRowResult{kinds.changed};
  const std::string linkTarget = LinkTarget(source);  // read before the wipe removes the link
  if (engine.Observer) engine.Observer->BeginSourceWipe();
  std::optional<TRowResult> row;
  try {
    SyncFile(result);
    SyncFolderOf(result);
    switch (engine.WipeFile(source, &*engine.LastSourceSnapshot)) {
      case TWipeOutcome::kOverwritten:
        break;
      case TWipeOutcome::kLinkRemoved:
        if (!linkTarget.empty()) row = TRowResult{kinds.linkTargetKept, {}, linkTarget};
        break;
      case TWipeOutcome::kNameRemoved:
        row = TRowResult{kinds.hardLinkKept};
        break;
    }
  } catch (const TSourceChanged&) {
    row = TRowResult{kinds.changed};
  } catch (const TWipeIncomplete& error) {
    row = WithCause(kinds.incomplete, error.what());
  } catch (...) {
    row = WithCause(TResultKind::kSourceWipeFailed, CauseOfCurrentException());
  }
  if (engine.Observer) engine.Observer->EndSourceWipe();
  return row;
}

TRowResult Failure(TResultKind kind, const std::string& path, TResultKind readOnlyKind,
                   std::string cause = {}) {
  return WithCause(IsReadOnlyFile(path) ? readOnlyKind : kind, std::move(cause));
}

}  // namespace

TText ConfirmationText(TBatchMode mode, int count) {
  const std::string_view text = mode == TBatchMode::kEncrypt   ? kConfirmEncrypt
                                : mode == TBatchMode::kDecrypt ? kConfirmDecrypt
                                                               : kConfirmWipe;
  return Sentence(text, {std::to_string(count)});
}

std::string_view StatusTemplate(TBatchMode mode) {
  switch (mode) {
    case TBatchMode::kEncrypt:
      return kStatusEncrypting;
    case TBatchMode::kDecrypt:
      return kStatusDecrypting;
    case TBatchMode::kWipe:
      return kStatusWiping;
  }
  return kStatusEncrypting;
}

TText StatusLine(int number, int count, std::string_view path, std::string_view status) {
  return StatusLine(number, number, count, path, status);
}

TText StatusLine(int first, int last, int count, std::string_view path, std::string_view status) {
  std::string numbers = std::to_string(first);
  if (last != first) numbers.append("-").append(std::to_string(last));
  return Sentence(status, {std::move(numbers), std::to_string(count), std::string(path)});
}

TText SummaryText(int failCount) {
  if (failCount > 0) return Sentence(kSummaryFailures, {std::to_string(failCount)});
  return Sentence(kSummaryAllDone);
}

bool NameTooLong(std::string_view path) { return Cp932Length(LastComponent(path)) >= kMaxNameBytes; }

std::optional<TOutputName> ProposedOutputName(std::string_view path, int namingMode,
                                              std::string_view ownExtension) {
  switch (namingMode) {
    case kNamingStandard:
      return std::string(path) + ".enc";
    case kNamingOwnExtension:
      return std::string(path) + std::string(ownExtension);
    case kNamingRandom:
      return TOutputName(std::string(path), std::string(ownExtension));
    default:
      return std::nullopt;
  }
}

TRowResult EncryptRow(TFileEngine& engine, const std::string& path, const TBatchOptions& options) {
  return CommitRow(engine, PrepareEncryptRow(engine, path, options));
}

TRowResult DecryptRow(TFileEngine& engine, const std::string& path, const TBatchOptions& options) {
  return CommitRow(engine, PrepareDecryptRow(engine, path, options));
}

TPreparedRow PrepareEncryptRow(TFileEngine& engine, const std::string& path, const TBatchOptions& options) {
  if (const auto verdict = SearchEntryVerdict(TBatchMode::kEncrypt, path)) return TRowResult{*verdict};
  if (NameTooLong(path))
    return Failure(TResultKind::kEncryptNameTooLong, path, TResultKind::kEncryptReadOnly);
  const std::optional<TOutputName> output =
      options.ExplicitOutput.empty() ? ProposedOutputName(path, options.NamingMode, options.OwnExtension)
                                     : TOutputName(options.ExplicitOutput);
  if (!output) return Failure(TResultKind::kUnexpectedError, path, TResultKind::kEncryptReadOnly);
  return {engine.PrepareEncryption(path, *output, options.Password, options.Hint, options.Algorithm),
          options.WipeSource};
}

// A container's name is not held to the 200-byte limit of the names encrypted: a Linux name may hold 255
// bytes, and every container this program makes must open again (a 197-byte name gives a 201-byte one).
TPreparedRow PrepareDecryptRow(TFileEngine& engine, const std::string& path, const TBatchOptions& options) {
  if (const auto verdict = SearchEntryVerdict(TBatchMode::kDecrypt, path)) return TRowResult{*verdict};
  return {engine.PrepareDecryption(path, options.Password), options.WipeDecryptedSource};
}

TRowResult CommitRow(TFileEngine& engine, TPreparedRow&& prepared) {
  if (!prepared.Output) return std::move(prepared.Done);
  const bool decrypting = prepared.Output->Decryption;
  const std::string path = prepared.Output->SourceName;
  const TResultKind kind = engine.CommitOutput(*prepared.Output);
  const TResultKind success = decrypting ? TResultKind::kDecrypted : TResultKind::kEncrypted;
  if (kind != success)
    return Failure(kind, path, decrypting ? TResultKind::kDecryptReadOnly : TResultKind::kEncryptReadOnly,
                   engine.LastCause);

  TRowResult row{kind, engine.LastOutputName};
  if (prepared.WipeSource && !IsSourceItself(path, engine.LastOutputName)) {
    if (auto wiped = WipeSourceAfter(engine, path, engine.LastOutputName,
                                     decrypting ? kDecryptionSourceWipe : kEncryptionSourceWipe)) {
      row.Kind = wiped->Kind;
      row.LinkTarget = wiped->LinkTarget;
      row.Cause = wiped->Cause;
    }
  }
  if (decrypting && engine.Observer) engine.Observer->ProcessMessages();
  return row;
}

TRowResult WipeRow(TFileEngine& engine, const std::string& path, bool nameOverwriteDoubt) {
  if (const auto verdict = SearchEntryVerdict(TBatchMode::kWipe, path)) return {*verdict};
  const bool doubt = nameOverwriteDoubt && OverwriteMayMissOldData(path);  // asked while the file exists
  try {
    const std::string linkTarget = LinkTarget(path);
    switch (engine.WipeFile(path)) {
      case TWipeOutcome::kOverwritten:
        break;
      case TWipeOutcome::kLinkRemoved:
        if (!linkTarget.empty()) return {TResultKind::kLinkOnlyWiped, {}, linkTarget};
        break;
      case TWipeOutcome::kNameRemoved:
        return {TResultKind::kHardLinkOnlyRemoved, {}};
    }
    return {doubt ? TResultKind::kWipedOldDataMayRemain : TResultKind::kWiped, {}};
  } catch (const TWipeIncomplete& error) {
    return WithCause(TResultKind::kWipeIncomplete, error.what());
  } catch (...) {
    return WithCause(TResultKind::kWipeFailed, CauseOfCurrentException());
  }
}

TText WipeWarningText(bool anyOverwriteDoubt) {
  if (!anyOverwriteDoubt) return Sentence(kWipeWarning);
  return Composed(kParagraphs, {Sentence(kWipeWarning), Sentence(kWipeWarningOldDataMayRemain)});
}

bool OverwriteMayMissOldData(const std::string& path) {
  return OverwriteReachOf(path).Doubt != TOverwriteDoubt::kNone;
}

TRowResult ReEncryptRow(TFileEngine& engine, const std::string& decryptedPath, const TBatchOptions& options) {
  return CommitRow(engine, PrepareReEncryptRow(engine, decryptedPath, options));
}

TPreparedRow PrepareReEncryptRow(TFileEngine& engine, const std::string& decryptedPath,
                                 const TBatchOptions& options) {
  if (decryptedPath.empty()) return TRowResult{TResultKind::kReEncryptNotDecrypted};
  return PrepareEncryptRow(engine, decryptedPath, options);
}

}  // namespace zk
