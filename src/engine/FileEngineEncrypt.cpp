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

TResultKind TFileEngine::EncryptFile(std::string source, std::string output, std::string_view password,
                                     std::string_view hint, int32_t algorithm) {
  LastSourceName = source;
  LastOutputName = output;
  File in;
  // A partial container holds ciphertext only: its plain deletion (by the destructor) is enough.
  std::optional<TPendingOutput> out;
  try {
    LastOutputName = CollisionFreeName(output);
    LastFileDate = PackedFileDate(source);
    const int64_t total = QueryFileSize(source);
    if (FileKindOf(source, true) != TFileKind::kRegular)
      throw FileError(EINVAL, "not a regular file: " + source);
    in = File::OpenReadWrite(source);

    // Everything of the header is computed before the output exists, so a refusal writes nothing.
    const std::string passwordBytes = Utf8ToCp932(password);
    TContainerHeader header;
    header.Algorithm = algorithm;
    header.HintField = EncryptText(ZK_twofish_str, Utf8ToCp932(hint), kFieldKeyText);
    header.NameField = EncryptText(ZK_twofish_str, Utf8ToCp932(LastComponent(source)), kFieldKeyText);
    header.FileDate = LastFileDate;
    const std::string checkValue = zk::PasswordCheckValue(ZK_twofish_str, SecHash1, passwordBytes);
    TZK_blockcipher& cipher = FileCipher(algorithm);
    InitFileKey(cipher, ZK_sha11, passwordBytes);
    header.CheckBlock = MakeCheckBlock(cipher, checkValue);
    const std::string headerBytes = SerializeHeader(header);

    out.emplace(LastOutputName, false);
    out->Stream().Write(headerBytes.data(), headerBytes.size());
    StreamPayload(in, out->Stream(), cipher, TDirection::kEncrypt, total);
    cipher.Wipe();
    in.Close();
    LastOutputName = out->Finish();
    return TResultKind::kEncrypted;
  } catch (...) {
    WipeFileCiphers();
    return TResultKind::kEncryptFailed;
  }
}

}  // namespace zk
