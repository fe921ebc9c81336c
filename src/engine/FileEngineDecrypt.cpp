#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "ContainerFormat.h"
#include "FileEngine.h"
#include "OutputNames.h"
#include "ResultTexts.h"
#include "TextCipher.h"
#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/FileInfo.h"
#include "platform/Paths.h"

namespace zk {

TResultKind TFileEngine::DecryptFile(std::string source, std::string_view password) {
  LastSourceName = source;
  LastOutputName.clear();
  LastFileDate = -1;
  SameNameOutput = false;
  File in;
  File out;
  std::string createdPath;
  TResultKind result = TResultKind::kDecryptFailed;
  try {
    result = DecryptInto(source, password, in, out, createdPath);
  } catch (...) {
    in = File();
    out = File();
    if (!createdPath.empty()) DestroyPartialOutput(createdPath);
    result = TResultKind::kDecryptFailed;
  }
  WipeFileCiphers();
  return result;
}

// Returns the refusals of the header; throws for every other failure, with createdPath naming the
// output file once this call has created it.
TResultKind TFileEngine::DecryptInto(const std::string& source, std::string_view password, File& in,
                                     File& out, std::string& createdPath) {
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

  const bool explicitOutput = !ExplicitOutputName.empty();
  std::string output = ExplicitOutputName;
  if (!explicitOutput) {
    output = CollisionFreeName(FolderPart(source) + name);
    if (EqualIgnoringAsciiCase(source, output)) {
      SameNameOutput = true;
      output = CollisionFreeName(output + ".dec");
    }
  }
  LastOutputName = output;
  LastFileDate = reader.ReadInt32();

  // A computed output is always a new file. An explicit one may exist: the old file is replaced only by
  // a complete decryption, through a temporary beside it.
  out = explicitOutput ? File::CreateTemporaryBeside(output) : File::CreateNew(output);
  createdPath = out.Path();

  StreamPayload(in, out, cipher, TDirection::kDecrypt, total);
  cipher.Wipe();
  in.Close();
  if (explicitOutput) {
    out.Sync();
    out.Close();
    if (std::rename(createdPath.c_str(), output.c_str()) != 0) {
      throw FileError::FromErrno(errno, "cannot rename to", output);
    }
  } else {
    out.Close();
  }
  createdPath.clear();
  return TResultKind::kDecrypted;
}

// The partial plain text must not stay behind; if the wipe itself fails, a plain delete still removes it.
void TFileEngine::DestroyPartialOutput(const std::string& path) {
  try {
    WipeFile(path);
  } catch (...) {
    ::unlink(path.c_str());
  }
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
