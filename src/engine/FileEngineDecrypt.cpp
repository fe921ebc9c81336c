#include <cerrno>
#include <optional>

#include "ContainerFormat.h"
#include "FileEngine.h"
#include "OutputNames.h"
#include "PendingOutput.h"
#include "ResultTexts.h"
#include "TextCipher.h"
#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/FileDate.h"
#include "platform/FileError.h"
#include "platform/FileInfo.h"
#include "platform/Paths.h"
#include "platform/SecretBytes.h"

namespace zk {

TResultKind TFileEngine::DecryptFile(std::string source, std::string_view password) {
  TPreparedOutput prepared = PrepareDecryption(std::move(source), password);
  ForgetKeys();
  return CommitOutput(prepared);
}

TPreparedOutput TFileEngine::PrepareDecryption(std::string source, std::string_view password) {
  TPreparedOutput prepared;
  prepared.Decryption = true;
  prepared.SourceName = std::move(source);
  File in;
  File stream;
  try {
    DecryptInto(prepared, password, in, stream);
  } catch (const TOutputRefused& error) {
    prepared.Kind = TResultKind::kDecryptOutputRefused;
    prepared.Cause = error.what();
  } catch (...) {
    prepared.Kind = TResultKind::kDecryptFailed;
    prepared.Cause = CauseOfCurrentException();
  }
  if (prepared.Kind != TResultKind::kDecrypted) {
    prepared.Output.reset();  // a partial plain file is overwritten and removed
    ForgetKeys();
  }
  return prepared;
}

// Sets the refusals as the prepared kind; throws for every other failure.
void TFileEngine::DecryptInto(TPreparedOutput& prepared, std::string_view password, File& in, File& stream) {
  const std::string& source = prepared.SourceName;
  const bool explicitOutput = !ExplicitOutputName.empty();
  const TExplicitOutput outputKind =
      explicitOutput ? ClassifyExplicitOutput(ExplicitOutputName) : TExplicitOutput::kNewFile;
  const auto refuse = [&](TResultKind kind) { prepared.Kind = kind; };
  if (outputKind == TExplicitOutput::kRefused) return refuse(TResultKind::kDecryptOutputRefused);

  TFileSnapshot atStart;
  in = OpenSource(source, atStart);
  TContainerReader reader(in);
  switch (ClassifyMagic(reader.ReadMagic())) {
    case TMagicVerdict::kOldFormat:
      return refuse(TResultKind::kDecryptOldFormat);
    case TMagicVerdict::kNotContainer:
      return refuse(TResultKind::kDecryptNotContainer);
    case TMagicVerdict::kCurrent:
      break;
  }

  const int32_t algorithm = reader.ReadInt32();
  std::string passwordBytes = Utf8ToCp932(password);
  const TWipedOnExit passwordWiped(passwordBytes);
  const TSharedKeys& keys = KeysFor(passwordBytes, algorithm);
  TZK_blockcipher& cipher = FileCipher(algorithm);
  if (reader.ReadCheckBlock() != keys.CheckBlock) return refuse(TResultKind::kDecryptWrongPassword);

  if (!reader.ReadField()) return refuse(TResultKind::kDecryptDamaged);  // the hint is not needed here
  const std::optional<std::string> nameField = reader.ReadField();
  if (!nameField) return refuse(TResultKind::kDecryptDamaged);
  // Only the last component of the stored name is used, so the output stays in the container's folder.
  const std::string name = StoredFileName(StoredNameToUtf8(DecryptKeyedText(KeyedFieldCipher(), *nameField)));
  if (name.empty()) return refuse(TResultKind::kDecryptDamaged);

  const std::string output = explicitOutput ? ExplicitOutputName : FolderPart(source) + name;
  prepared.OutputName = output;
  prepared.FileDate = reader.ReadInt32();

  // A stream is written into as it is; a file is written beside its final name and named when complete.
  prepared.OutputIsStream =
      outputKind == TExplicitOutput::kStream || outputKind == TExplicitOutput::kStandardOutput;
  if (outputKind == TExplicitOutput::kStream) stream = File::OpenStream(output);
  if (outputKind == TExplicitOutput::kStandardOutput) stream = File::StandardOutput();
  const bool replacing = outputKind == TExplicitOutput::kReplacedFile;
  if (!prepared.OutputIsStream) prepared.Output = std::make_unique<TPendingOutput>(output, replacing, true);

  StreamPayload(in, prepared.OutputIsStream ? stream : prepared.Output->Stream(), cipher,
                TDirection::kDecrypt, atStart.Size);
  mode_t containerMode = 0;
  prepared.SourceSnapshot = SnapshotIfReadWhole(in, atStart, containerMode);
  // The plain file is no more readable than its container; a file it replaces keeps its own bits.
  const mode_t mode = replacing ? PermissionBitsOf(output).value_or(0600) : containerMode;
  in.Close();
  if (prepared.OutputIsStream) {
    stream.Close();
  } else {
    // Dated and flushed before it is named: under its name the file stands whole and with its date.
    if (prepared.FileDate != kNoFileDate)
      ApplyPackedFileDate(prepared.Output->Stream().Descriptor(), prepared.FileDate);
    prepared.Output->Complete(mode, !DeferFlush);
    // The "_RENAMED" rule keeps every existing file, the container too. Names are compared byte for byte:
    // on Linux REPORT.TXT and report.txt are two files. An explicit output keeps its path.
    if (!explicitOutput) prepared.Name = TOutputName(output);
  }
  prepared.Kind = TResultKind::kDecrypted;
}

std::optional<std::string> TFileEngine::ReadHint(const std::string& path) {
  try {
    if (FileKindOf(path, true) != TFileKind::kRegular) return std::nullopt;
    File in = File::OpenReadWrite(path);
    TContainerReader reader(in);
    reader.ReadMagic();
    reader.ReadInt32();
    reader.ReadCheckBlock();
    const std::optional<std::string> hintField = reader.ReadField();
    if (!hintField) return std::string();
    return StoredNameToUtf8(DecryptText(TextCipher, *hintField, kFieldKeyText));
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace zk
