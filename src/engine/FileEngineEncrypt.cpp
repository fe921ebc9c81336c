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
  TPreparedOutput prepared =
      PrepareEncryption(std::move(source), std::move(output), password, hint, algorithm);
  ForgetKeys();
  return CommitOutput(prepared);
}

TPreparedOutput TFileEngine::PrepareEncryption(std::string source, TOutputName output,
                                               std::string_view password, std::string_view hint,
                                               int32_t algorithm) {
  TPreparedOutput prepared;
  prepared.SourceName = std::move(source);
  prepared.OutputName = output.Path;
  prepared.Kind = TResultKind::kEncryptFailed;
  File in;
  try {
    TFileSnapshot atStart;
    in = OpenSource(prepared.SourceName, atStart);
    prepared.FileDate = PackedFileDate(atStart.ModifiedSeconds);

    // Everything of the header is computed before the output exists, so a refusal writes nothing.
    std::string passwordBytes = Utf8ToCp932(password);
    const TWipedOnExit passwordWiped(passwordBytes);
    const TSharedKeys& keys = KeysFor(passwordBytes, algorithm);
    TContainerHeader header;
    header.Algorithm = algorithm;
    header.HintField = HintFieldFor(Utf8ToCp932(hint));
    header.NameField = EncryptKeyedText(KeyedFieldCipher(), Utf8ToCp932(LastComponent(prepared.SourceName)));
    header.FileDate = prepared.FileDate;
    header.CheckBlock = keys.CheckBlock;
    TZK_blockcipher& cipher = FileCipher(algorithm);
    const std::string headerBytes = SerializeHeader(header);

    // A partial container holds ciphertext only: its plain removal (by its destructor) is enough.
    auto out = std::make_unique<TPendingOutput>(output.Path, false, false);
    StreamPayload(in, out->Stream(), cipher, TDirection::kEncrypt, atStart.Size, headerBytes);
    mode_t mode = 0;
    prepared.SourceSnapshot = SnapshotIfReadWhole(in, atStart, mode);
    in.Close();
    out->Complete(mode, !DeferFlush);
    prepared.Output = std::move(out);
    prepared.Name = std::move(output);
    prepared.Kind = TResultKind::kEncrypted;
  } catch (...) {
    ForgetKeys();
    prepared.Cause = CauseOfCurrentException();
  }
  return prepared;
}

}  // namespace zk
