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
#include "platform/Paths.h"
#include "platform/SecretBytes.h"

namespace zk {

TResultKind TFileEngine::EncryptFile(std::string source, TOutputName output, std::string_view password,
                                     std::string_view hint, int32_t algorithm) {
  LastSourceName = source;
  LastOutputName = output.Path;
  LastSourceSnapshot.reset();
  File in;
  // A partial container holds ciphertext only: its plain removal (by its destructor) is enough.
  std::optional<TPendingOutput> out;
  try {
    in = OpenSource(source);
    const TFileSnapshot atStart = in.Snapshot();
    LastFileDate = PackedFileDate(atStart.ModifiedSeconds);

    // Everything of the header is computed before the output exists, so a refusal writes nothing.
    std::string passwordBytes = Utf8ToCp932(password);
    const TWipedOnExit passwordWiped(passwordBytes);
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

    out.emplace(output.Path, false, false);
    out->Stream().Write(headerBytes.data(), headerBytes.size());
    StreamPayload(in, out->Stream(), cipher, TDirection::kEncrypt, atStart.Size);
    cipher.Wipe();
    RememberSourceIfReadWhole(in, atStart);
    const mode_t mode = in.PermissionBits();
    in.Close();
    LastOutputName = NameOutput(*out, mode, [&] { return output.Choose(); });
    return TResultKind::kEncrypted;
  } catch (...) {
    WipeFileCiphers();
    return TResultKind::kEncryptFailed;
  }
}

}  // namespace zk
