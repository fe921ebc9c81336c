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
  LastSourceName = source;
  LastOutputName.clear();
  LastFileDate = -1;
  LastSourceSnapshot.reset();
  OutputIsStream = false;
  File in;
  File stream;
  // A partial plain file is overwritten and removed by its destructor.
  std::optional<TPendingOutput> pending;
  TResultKind result = TResultKind::kDecryptFailed;
  try {
    result = DecryptInto(source, password, in, stream, pending);
  } catch (const TOutputRefused&) {
    result = TResultKind::kDecryptOutputRefused;
  } catch (...) {
    result = TResultKind::kDecryptFailed;
  }
  WipeFileCiphers();
  return result;
}

// Returns the refusals; throws for every other failure.
TResultKind TFileEngine::DecryptInto(const std::string& source, std::string_view password, File& in,
                                     File& stream, std::optional<TPendingOutput>& pending) {
  const bool explicitOutput = !ExplicitOutputName.empty();
  const TExplicitOutput outputKind =
      explicitOutput ? ClassifyExplicitOutput(ExplicitOutputName) : TExplicitOutput::kNewFile;
  if (outputKind == TExplicitOutput::kRefused) return TResultKind::kDecryptOutputRefused;

  in = OpenSource(source);
  const TFileSnapshot atStart = in.Snapshot();
  TContainerReader reader(in);
  switch (ClassifyMagic(reader.ReadMagic())) {
    case TMagicVerdict::kOldFormat:
      return TResultKind::kDecryptOldFormat;
    case TMagicVerdict::kNotContainer:
      return TResultKind::kDecryptNotContainer;
    case TMagicVerdict::kCurrent:
      break;
  }

  TZK_blockcipher& cipher = FileCipher(reader.ReadInt32());
  std::string passwordBytes = Utf8ToCp932(password);
  const TWipedOnExit passwordWiped(passwordBytes);
  const std::string checkValue = zk::PasswordCheckValue(ZK_twofish_str, SecHash1, passwordBytes);
  InitFileKey(cipher, ZK_sha11, passwordBytes);
  const TCheckBlock expected = MakeCheckBlock(cipher, checkValue);
  if (reader.ReadCheckBlock() != expected) return TResultKind::kDecryptWrongPassword;

  if (!reader.ReadField()) return TResultKind::kDecryptDamaged;  // the hint is not needed here
  const std::optional<std::string> nameField = reader.ReadField();
  if (!nameField) return TResultKind::kDecryptDamaged;
  // Only the last component of the stored name is used, so the output stays in the container's folder.
  const std::string name =
      StoredFileName(StoredNameToUtf8(DecryptText(ZK_twofish_str, *nameField, kFieldKeyText)));
  if (name.empty()) return TResultKind::kDecryptDamaged;

  const std::string output = explicitOutput ? ExplicitOutputName : FolderPart(source) + name;
  LastOutputName = output;
  LastFileDate = reader.ReadInt32();

  // A stream is written into as it is; a file is written beside its final name and named when complete.
  OutputIsStream = outputKind == TExplicitOutput::kStream || outputKind == TExplicitOutput::kStandardOutput;
  if (outputKind == TExplicitOutput::kStream) stream = File::OpenStream(output);
  if (outputKind == TExplicitOutput::kStandardOutput) stream = File::StandardOutput();
  const bool replacing = outputKind == TExplicitOutput::kReplacedFile;
  if (!OutputIsStream) pending.emplace(output, replacing, true);

  StreamPayload(in, OutputIsStream ? stream : pending->Stream(), cipher, TDirection::kDecrypt, atStart.Size);
  cipher.Wipe();
  RememberSourceIfReadWhole(in, atStart);
  // The plain file is no more readable than its container; a file it replaces keeps its own bits.
  const mode_t mode = replacing ? PermissionBitsOf(output).value_or(0600) : in.PermissionBits();
  in.Close();
  if (OutputIsStream) {
    stream.Close();
  } else {
    // Dated before it is named: under its name the file stands whole and with its date, and the heavy
    // part of a batch row (not its naming, which waits for the rows before it) does this work too.
    if (LastFileDate != kNoFileDate) ApplyPackedFileDate(pending->Stream().Descriptor(), LastFileDate);
    // The "_RENAMED" rule keeps every existing file, the container too. Names are compared byte for byte:
    // on Linux REPORT.TXT and report.txt are two files.
    LastOutputName =
        NameOutput(*pending, mode, [&] { return explicitOutput ? output : CollisionFreeName(output); });
  }
  return TResultKind::kDecrypted;
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
    return StoredNameToUtf8(DecryptText(ZK_twofish_str, *hintField, kFieldKeyText));
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace zk
