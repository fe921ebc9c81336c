// The single-file operations: encryption into a container, decryption back, the secure wipe and reading
// the hint. One engine belongs to each user of it (the confirmation dialog, zkcli, a worker of a batch); it
// owns the cipher and hash objects and one I/O buffer, made when the first payload is streamed, so memory
// stays the same whatever the file size. A wipe writes from a pattern shared by all engines.
//
// Paths, passwords and hints come in as UTF-8. Passwords, hints and stored names are converted to CP932
// before any byte operation (key, check value, header fields); text that CP932 cannot represent is used
// as its UTF-8 bytes. Names and hints read from a container come back as UTF-8.
//
// Encryption and decryption come in two steps: Prepare* does the heavy work (reading, ciphering, writing the
// output without its final name and flushing it) and returns the output as a value; CommitOutput then chooses
// the final name and gives it. A batch run on several threads prepares rows at once and commits them in list
// order on one thread, so the folders change as a run on one thread changes them. EncryptFile and DecryptFile
// do both steps at once.
//
// EncryptFile, DecryptFile, the Prepare* and CommitOutput and ReadHint never throw: every outcome is a result
// kind (ResultTexts.h) with, for a failure, its cause, or for ReadHint no hint. WipeFile throws on failure.
//
// A source is read under a shared advisory lock, which another ZK process's wipe respects; a wipe takes the
// lock exclusively, so that no ZK process overwrites a file that another is still reading.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ContainerFormat.h"
#include "EngineObserver.h"
#include "OutputNames.h"
#include "PendingOutput.h"
#include "PreparedOutput.h"
#include "ResultTexts.h"
#include "crypto/Gost.h"
#include "crypto/Rijndael.h"
#include "crypto/SHA1.h"
#include "crypto/SecHash.h"
#include "crypto/Twofish.h"
#include "platform/FileError.h"
#include "platform/LockedPages.h"

namespace zk {

// WipeFile's failure after the file was deleted: its overwrite did not complete (a full disk), so the old
// blocks may survive on the disk.
class TWipeIncomplete : public FileError {
 public:
  using FileError::FileError;
};

// WipeFile's refusal to touch a file that is not as it was read (WipeFile's unchangedSince), or that another
// ZK process is reading.
class TSourceChanged : public FileError {
 public:
  using FileError::FileError;
};

// What WipeFile did to a name it was given.
enum class TWipeOutcome {
  kOverwritten,  // overwritten and deleted
  kLinkRemoved,  // a symbolic link: only the link went
  kNameRemoved,  // a file with other hard links: only this name went, its data stays under the others
};

class TFileEngine {
 public:
  TFileEngine();
  ~TFileEngine();  // ForgetKeys
  TFileEngine(const TFileEngine&) = delete;
  TFileEngine& operator=(const TFileEngine&) = delete;

  // Encrypts source into a new container named as output asks (TOutputName: the first free name that the
  // "_RENAMED" rule gives, or a random one), written under a temporary name and named only when complete;
  // algorithm 1 is Rijndael, 2 GOST, anything else Twofish (stored as given). Nothing is written when the
  // hint does not fit the header. Only a container this call created is ever deleted.
  // The container gets the source's permission bits. Returns kEncrypted or kEncryptFailed; sets
  // LastSourceName, LastOutputName, LastFileDate and LastSourceSnapshot.
  // The paths are taken by value: a caller may well pass one of the side results below, which the call
  // overwrites.
  TResultKind EncryptFile(std::string source, TOutputName output, std::string_view password,
                          std::string_view hint, int32_t algorithm);
  // EncryptFile's heavy part: everything but the final name. Sets no side results.
  TPreparedOutput PrepareEncryption(std::string source, TOutputName output, std::string_view password,
                                    std::string_view hint, int32_t algorithm);

  // Decrypts a container into its folder under the stored name (its last component only, shortened to fit
  // a file name), or to ExplicitOutputName when that is set. Refusals (an explicit output that must not
  // be replaced, old format, not a container, wrong password, damaged header) come before anything is
  // written. The plain file is written under a temporary name, given the stored date (a stream has none
  // to take) and named when complete; a failure wipes it. An existing regular ExplicitOutputName is replaced
  // only by a complete decryption; a FIFO or character device there (links followed), or kStandardOutputName,
  // is written into (ClassifyExplicitOutput); a link put at its path meanwhile is refused at the last step.
  // The plain file gets the container's permission bits (a replaced file keeps its own). Sets
  // LastSourceName, LastOutputName, LastFileDate, LastSourceSnapshot and OutputIsStream.
  TResultKind DecryptFile(std::string source, std::string_view password);
  // DecryptFile's heavy part: everything but the final name. Sets no side results.
  TPreparedOutput PrepareDecryption(std::string source, std::string_view password);

  // Gives a prepared output its final name; sets the side results below from it (LastOutputName: the name
  // given). Returns its kind: the success, a failure of the preparation or one of the naming.
  TResultKind CommitOutput(TPreparedOutput& prepared);

  // The hint of a container without its password; nothing when the header cannot be read.
  std::optional<std::string> ReadHint(const std::string& path);

  // One pass of 0x4E up to the next multiple of 2048 bytes at or beyond the end (2048 for an empty
  // file), flushed, then the file is deleted. A symbolic link is removed without touching its target; a
  // file with other hard links is not overwritten, only this name is removed. With unchangedSince the file
  // must still be exactly as it was read (TSourceChanged otherwise).
  // Throws FileError when the file cannot be opened (missing, folder, read-only, not a regular file, being
  // read by another ZK process) or when the deletion fails; TWipeIncomplete when a write failed (a full
  // disk) but the file was deleted.
  TWipeOutcome WipeFile(const std::string& path, const TFileSnapshot* unchangedSince = nullptr);

  // The rows of a batch share their password and hint: what derives from them alone (the check value, the
  // check block, the hint field, the keyed file cipher and the cipher of the header texts) is made with the
  // first file and kept for the next ones, as long as the password, algorithm and hint stay the same. A
  // single EncryptFile or DecryptFile forgets it at its end, a failure at once, a batch run at its end.
  void ForgetKeys();

  // The 8-character check value of a password (registered in the settings and stored in containers).
  std::string PasswordCheckValue(std::string_view password);

 private:
  // The key schedules below are kept out of swap. Declared before them, so that their pages stay locked
  // until they are gone.
  TLockedPages lockedPages_{this, sizeof(TFileEngine)};

 public:
  // The components: the file ciphers by algorithm number, the Twofish that hides names and hints in the
  // header, the SHA-1 that makes the file key from the password, and the hash behind the check value.
  TZK_twofish TwofishCipher;
  TZK_rijndael RijndaelCipher;
  TZK_gost GostCipher;
  TZK_twofish TextCipher;
  TZK_sha1 PasswordSha1;
  TSecHash CheckValueHash;

  // Side results of the last EncryptFile, DecryptFile or CommitOutput.
  std::string LastSourceName;
  std::string LastOutputName;
  int32_t LastFileDate = -1;    // packed local date and time, -1 when unknown
  bool OutputIsStream = false;  // decryption wrote into a stream (FIFO, device, standard output), no file
  // The source as it was read, when the read saw the whole of it and it did not change meanwhile; empty
  // otherwise, and then the source must not be wiped.
  std::optional<TFileSnapshot> LastSourceSnapshot;
  std::string LastCause;  // for a failure: why, when known

  // Input of DecryptFile: an output path given for a single file; empty for the computed one.
  std::string ExplicitOutputName;
  // Leaves the outputs prepared unflushed, for a batch runner that flushes those of many rows at once before
  // naming them; an output is flushed at the latest when it is named (TPendingOutput::MoveTo).
  bool DeferFlush = false;
  // Ends the current overwrite after its block; cleared when a wipe starts. Set from ProcessMessages.
  bool SkipWipeRequested = false;
  // Events are let through once in about this many runs (8192 bytes) or wipe blocks; 0 or 1: every time.
  int ProcessMsgInterval = 30;
  TEngineObserver* Observer = nullptr;

 private:
  enum class TDirection { kEncrypt, kDecrypt };

  // What ForgetKeys forgets. The password is told by its SHA-1 digest, which is the file key anyway.
  struct TSharedKeys {
    bool Valid = false;
    int32_t Algorithm = 0;
    std::array<uint8_t, TZK_sha1::kDigestBytes> PasswordDigest{};
    std::string CheckValue;
    TCheckBlock CheckBlock{};
    bool HintValid = false;
    std::string Hint;
    std::string HintField;
  };

  TZK_blockcipher& FileCipher(int32_t algorithm);
  // The check value and check block of the password (CP932 bytes) under the algorithm's file cipher, which
  // is left keyed with its chaining reset.
  const TSharedKeys& KeysFor(std::string_view passwordBytes, int32_t algorithm);
  // The hint's header field under the text cipher kept keyed from kFieldKeyText.
  const std::string& HintFieldFor(const std::string& hintBytes);
  TZK_blockcipher& KeyedFieldCipher();
  // The source opened for reading, and its snapshot as it was opened.
  static File OpenSource(const std::string& source, TFileSnapshot& atStart);
  // The snapshot of a source read whole, or none; its permission bits as they are now either way.
  static std::optional<TFileSnapshot> SnapshotIfReadWhole(const File& in, const TFileSnapshot& atStart,
                                                          mode_t& permissionBits);
  // The payload of `in` to `out` through the cipher, after `header` (written with the payload's first bytes).
  void StreamPayload(File& in, File& out, TZK_blockcipher& cipher, TDirection direction, int64_t total,
                     std::string_view header = {});
  void Overwrite(File& out, int64_t size);
  void ReportProgress(TProgressKind kind, int64_t done, int64_t total);
  void MaybeProcessMessages();
  void DecryptInto(TPreparedOutput& prepared, std::string_view password, File& in, File& stream);

  std::unique_ptr<uint8_t[]> buffer_;
  TSharedKeys keys_;
  TZK_twofish fieldCipher_;  // keyed from kFieldKeyText while it is initialised
};

}  // namespace zk
