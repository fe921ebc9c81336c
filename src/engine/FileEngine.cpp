#include "FileEngine.h"

#include <algorithm>
#include <cerrno>

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

void TFileEngine::ReleaseBuffer() { buffer_.reset(); }

std::string TFileEngine::PasswordCheckValue(std::string_view password) {
  std::string passwordBytes = Utf8ToCp932(password);
  const TWipedOnExit passwordWiped(passwordBytes);
  return zk::PasswordCheckValue(ZK_twofish_str, SecHash1, passwordBytes);
}

TZK_blockcipher& TFileEngine::FileCipher(int32_t algorithm) {
  switch (algorithm) {
    case kAlgorithmRijndael:
      return ZK_rijndael;
    case kAlgorithmGost:
      return ZK_gost;
    default:
      return ZK_twofish;
  }
}

void TFileEngine::WipeFileCiphers() {
  for (TZK_blockcipher* cipher :
       {static_cast<TZK_blockcipher*>(&ZK_twofish), static_cast<TZK_blockcipher*>(&ZK_rijndael),
        static_cast<TZK_blockcipher*>(&ZK_gost)}) {
    if (cipher->Initialized()) cipher->Wipe();
  }
}

// The source is read under a shared lock: another ZK process does not wipe it meanwhile.
File TFileEngine::OpenSource(const std::string& source) {
  if (FileKindOf(source, true) != TFileKind::kRegular)
    throw FileError(EINVAL, "not a regular file: " + source);
  File in = File::OpenReadWrite(source);
  if (!in.TryLockShared()) throw FileError(EWOULDBLOCK, "being wiped by another process: " + source);
  return in;
}

// Only a source that was read to its end, exactly as long as it was at the start and unchanged, may be
// wiped: anything written to it meanwhile is in no output.
void TFileEngine::RememberSourceIfReadWhole(const File& in, const TFileSnapshot& atStart) {
  if (in.Position() == atStart.Size && in.Snapshot() == atStart) LastSourceSnapshot = atStart;
}

// The name is chosen only now, after the heavy work, so that a batch run on several threads can let its
// rows choose in list order and find the folders as a run on one thread would.
std::string TFileEngine::NameOutput(TPendingOutput& output, mode_t mode,
                                    const std::function<std::string()>& chooseName) {
  output.Complete(mode);
  if (Observer) Observer->OutputComplete();
  return output.MoveTo(chooseName());
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
                                int64_t total) {
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
      if (got > 0) out.Write(buffer, got);
    }
  } catch (...) {
    SecureFill(buffer, 0, used);
    throw;
  }
  SecureFill(buffer, 0, used);
}

}  // namespace zk
