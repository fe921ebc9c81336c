#include "FileEngine.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "ContainerFormat.h"
#include "EngineBuffer.h"
#include "TextCipher.h"
#include "crypto/Bytes.h"
#include "platform/CodePage.h"
#include "platform/File.h"
#include "platform/FileDate.h"
#include "platform/FileError.h"
#include "platform/FileInfo.h"
#include "platform/Random.h"
#include "platform/SecretBytes.h"

namespace zk {

TFileEngine::TFileEngine() = default;

TFileEngine::~TFileEngine() { ForgetKeys(); }

std::string TFileEngine::PasswordCheckValue(std::string_view password) {
  std::string passwordBytes = Utf8ToCp932(password);
  const TWipedOnExit passwordWiped(passwordBytes);
  return zk::PasswordCheckValue(TextCipher, CheckValueHash, passwordBytes);
}

TZK_blockcipher& TFileEngine::FileCipher(int32_t algorithm) {
  switch (algorithm) {
    case kAlgorithmRijndael:
      return RijndaelCipher;
    case kAlgorithmGost:
      return GostCipher;
    default:
      return TwofishCipher;
  }
}

void TFileEngine::ForgetKeys() {
  for (TZK_blockcipher* cipher :
       {static_cast<TZK_blockcipher*>(&TwofishCipher), static_cast<TZK_blockcipher*>(&RijndaelCipher),
        static_cast<TZK_blockcipher*>(&GostCipher), static_cast<TZK_blockcipher*>(&fieldCipher_)}) {
    if (cipher->Initialized()) cipher->Wipe();
  }
  SecureFill(keys_.PasswordDigest.data(), 0, keys_.PasswordDigest.size());
  SecureFill(keys_.CheckBlock.data(), 0, keys_.CheckBlock.size());
  SecureFill(keys_.CheckValue.data(), 0, keys_.CheckValue.size());
  keys_ = TSharedKeys();
}

const TFileEngine::TSharedKeys& TFileEngine::KeysFor(std::string_view passwordBytes, int32_t algorithm) {
  std::array<uint8_t, TZK_sha1::kDigestBytes> digest;
  PasswordSha1.Init();
  PasswordSha1.UpdateString(passwordBytes);
  PasswordSha1.Final(digest.data());
  TZK_blockcipher& cipher = FileCipher(algorithm);
  const bool known = keys_.Valid && keys_.Algorithm == algorithm && keys_.PasswordDigest == digest;
  SecureFill(digest.data(), 0, digest.size());
  if (known && cipher.Initialized()) {
    cipher.Reset();
    return keys_;
  }
  ForgetKeys();
  keys_.CheckValue = zk::PasswordCheckValue(TextCipher, CheckValueHash, passwordBytes);
  InitFileKey(cipher, PasswordSha1, passwordBytes);
  keys_.CheckBlock = MakeCheckBlock(cipher, keys_.CheckValue);
  PasswordSha1.Init();
  PasswordSha1.UpdateString(passwordBytes);
  PasswordSha1.Final(keys_.PasswordDigest.data());
  keys_.Algorithm = algorithm;
  keys_.Valid = true;
  return keys_;
}

const std::string& TFileEngine::HintFieldFor(const std::string& hintBytes) {
  if (!keys_.HintValid || keys_.Hint != hintBytes) {
    keys_.HintField = EncryptKeyedText(KeyedFieldCipher(), hintBytes);
    keys_.Hint = hintBytes;
    keys_.HintValid = true;
  }
  return keys_.HintField;
}

TZK_blockcipher& TFileEngine::KeyedFieldCipher() {
  if (!fieldCipher_.Initialized()) fieldCipher_.InitFromString(kFieldKeyText);
  return fieldCipher_;
}

// The source is read under a shared lock: another ZK process does not wipe it meanwhile.
File TFileEngine::OpenSource(const std::string& source, TFileSnapshot& atStart) {
  switch (FileKindOf(source, true)) {
    case TFileKind::kRegular:
      break;
    case TFileKind::kMissing:
      throw FileError::FromErrno(ENOENT, "cannot open", source);
    default:
      throw FileError(EINVAL, "cannot open " + source + ": not a regular file");
  }
  File in = File::OpenReadWrite(source, atStart);
  if (!in.TryLockShared()) throw FileError(EWOULDBLOCK, "cannot read " + source + ": another ZK process is wiping it");
  return in;
}

// Only a source that was read to its end, exactly as long as it was at the start and unchanged, may be
// wiped: anything written to it meanwhile is in no output.
std::optional<TFileSnapshot> TFileEngine::SnapshotIfReadWhole(const File& in, const TFileSnapshot& atStart,
                                                              mode_t& permissionBits) {
  const bool readToTheEnd = in.Position() == atStart.Size;
  if (in.Snapshot(&permissionBits) == atStart && readToTheEnd) return atStart;
  return std::nullopt;
}

// The name is chosen only now, after the heavy work, so that a batch run on several threads can name its
// rows in list order and find the folders as a run on one thread would.
TResultKind TFileEngine::CommitOutput(TPreparedOutput& prepared) {
  if (prepared.Output) {
    try {
      prepared.OutputName =
          prepared.Output->MoveTo(prepared.Name ? prepared.Name->Choose() : prepared.OutputName);
    } catch (const TOutputRefused& error) {
      prepared.Kind = TResultKind::kDecryptOutputRefused;
      prepared.Cause = error.what();
    } catch (...) {
      prepared.Kind = prepared.Decryption ? TResultKind::kDecryptFailed : TResultKind::kEncryptFailed;
      prepared.Cause = CauseOfCurrentException();
    }
    prepared.Output.reset();  // named now, or removed when it could not be
  }
  LastSourceName = prepared.SourceName;
  LastOutputName = prepared.OutputName;
  LastFileDate = prepared.FileDate;
  OutputIsStream = prepared.OutputIsStream;
  LastSourceSnapshot = prepared.SourceSnapshot;
  LastCause = prepared.Cause;
  return prepared.Kind;
}

void TFileEngine::ReportProgress(TProgressKind kind, int64_t done, int64_t total) {
  if (Observer) Observer->Progress(TProgress{kind, done, total});
}

void TFileEngine::MaybeProcessMessages() {
  if (RandomBelow(ProcessMsgInterval) == 0 && Observer) Observer->ProcessMessages();
}

// The payload goes through the buffer in large chunks, but is processed, counted, reported and paced in
// runs of 8192 bytes exactly as a run-by-run loop would: full runs, then one final shorter run (of 0 bytes
// when the length is a multiple of 8192). Because 8192 is a multiple of every block size, the chaining
// value carried from run to run gives the same bytes as one pass over the whole payload.
void TFileEngine::StreamPayload(File& in, File& out, TZK_blockcipher& cipher, TDirection direction,
                                int64_t total, std::string_view header) {
  const TProgressKind kind =
      direction == TDirection::kEncrypt ? TProgressKind::kEncrypting : TProgressKind::kDecrypting;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<uint8_t[]>(kEngineBufferBytes);
  uint8_t* const buffer = buffer_.get();
  size_t used = 0;
  int64_t done = 0;
  try {
    for (bool last = false; !last;) {
      const size_t got = in.Read(buffer, kEngineBufferBytes);
      used = std::max(used, got);
      last = got < kEngineBufferBytes;
      for (size_t offset = 0;;) {
        const size_t run = std::min(kPayloadRunBytes, got - offset);
        if (direction == TDirection::kEncrypt) {
          cipher.EncryptCBC(buffer + offset, buffer + offset, static_cast<int32_t>(run));
        } else {
          cipher.DecryptCBC(buffer + offset, buffer + offset, static_cast<int32_t>(run));
        }
        offset += run;
        done += static_cast<int64_t>(run);
        if (total != 0) ReportProgress(kind, done, total);
        MaybeProcessMessages();
        if (run < kPayloadRunBytes || (offset == got && !last)) break;
      }
      if (got > 0 || !header.empty()) out.Write(std::exchange(header, {}), buffer, got);
    }
  } catch (...) {
    SecureFill(buffer, 0, used);
    throw;
  }
  SecureFill(buffer, 0, used);
}

}  // namespace zk
