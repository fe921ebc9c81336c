#include <unistd.h>

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

namespace zk {

TResultKind TFileEngine::DecryptFile(std::string source, std::string_view password) {
  LastSourceName = source;
  LastOutputName.clear();
  LastFileDate = -1;
  SameNameOutput = false;
  OutputIsStream = false;
  File in;
  File stream;
  std::optional<TPendingOutput> pending;
  TResultKind result = TResultKind::kDecryptFailed;
  try {
    result = DecryptInto(source, password, in, stream, pending);
  } catch (...) {
    in = File();
    stream = File();
    if (pending) DestroyPartialOutput(*pending);
    result = TResultKind::kDecryptFailed;
  }
  WipeFileCiphers();
  return result;
}

// Returns the refusals; throws for every other failure, with pending holding the output file once this
// call has created it.
TResultKind TFileEngine::DecryptInto(const std::string& source, std::string_view password, File& in,
                                     File& stream, std::optional<TPendingOutput>& pending) {
  const bool explicitOutput = !ExplicitOutputName.empty();
  const TExplicitOutput outputKind =
      explicitOutput ? ClassifyExplicitOutput(ExplicitOutputName) : TExplicitOutput::kNewFile;
  if (outputKind == TExplicitOutput::kRefused) return TResultKind::kDecryptOutputRefused;

  const int64_t total = QueryFileSize(source);
  if (FileKindOf(source, true) != TFileKind::kRegular)
    throw FileError(EINVAL, "not a regular file: " + source);
  in = File::OpenReadWrite(source);
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
  const std::string passwordBytes = Utf8ToCp932(password);
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
  if (!OutputIsStream) pending.emplace(output, outputKind == TExplicitOutput::kReplacedFile);

  StreamPayload(in, OutputIsStream ? stream : pending->Stream(), cipher, TDirection::kDecrypt, total);
  cipher.Wipe();
  in.Close();
  if (OutputIsStream) {
    stream.Close();
  } else {
    // Dated before it is named: under its name the file stands whole and with its date, and the heavy
    // part of a batch row (not its naming, which waits for the rows before it) does this work too.
    if (LastFileDate != kNoFileDate) ApplyFileDate(pending->TemporaryPath(), LastFileDate);
    LastOutputName =
        NameOutput(*pending, [&] { return explicitOutput ? output : FreeDecryptedName(source, output); });
  }
  return TResultKind::kDecrypted;
}

// The "_RENAMED" rule for the stored name; a name that is the container's own, but for the case of its
// letters, gets ".dec" (and the row moves it to the container's name once the container is gone).
std::string TFileEngine::FreeDecryptedName(const std::string& source, const std::string& stored) {
  const std::string output = CollisionFreeName(stored);
  if (!EqualIgnoringAsciiCase(source, output)) return output;
  SameNameOutput = true;
  return CollisionFreeName(output + ".dec");
}

// The partial plain text must not stay behind; if the wipe itself fails, a plain delete still removes it.
void TFileEngine::DestroyPartialOutput(TPendingOutput& output) {
  output.Stream() = File();  // closed, so that the wipe can open it on its own
  const std::string path = output.TemporaryPath();
  try {
    WipeFile(path);
  } catch (...) {
    ::unlink(path.c_str());
  }
  output.Release();
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
