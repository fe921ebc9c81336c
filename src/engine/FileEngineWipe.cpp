#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "EngineBuffer.h"
#include "FileEngine.h"
#include "ResultTexts.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/FileInfo.h"
#include "platform/Random.h"

namespace zk {
namespace {

constexpr int64_t kWipeBlockBytes = 2048;
constexpr uint8_t kWipeByte = 0x4E;

// The overwrite's bytes, shared by every engine of the process: a wipe needs no buffer of its own.
const uint8_t* WipePattern() {
  struct TPattern {
    TPattern() { std::memset(Bytes, kWipeByte, sizeof Bytes); }
    uint8_t Bytes[kEngineBufferBytes];
  };
  static const TPattern pattern;
  return pattern.Bytes;
}

void Unlink(const std::string& path) {
  if (::unlink(path.c_str()) != 0) throw FileError::FromErrno(errno, "cannot delete", path);
}

// What a name itself stands for (links not followed); none when it is gone.
std::optional<TFileIdentity> IdentityOfName(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  return TFileIdentity{info.st_dev, info.st_ino};
}

}  // namespace

// The overwrite is counted, paced and reported per 2048-byte block, as one block per write would be,
// but written in groups of blocks. A skip request can only arrive while events are processed, which
// happens before a block; the block is still written and the overwrite ends after it.
TWipeOutcome TFileEngine::WipeFile(const std::string& path, const TFileSnapshot* unchangedSince) {
  SkipWipeRequested = false;
  switch (FileKindOf(path, false)) {
    case TFileKind::kSymbolicLink:
      Unlink(path);  // the link goes; its target is not the file that was asked for
      return TWipeOutcome::kLinkRemoved;
    case TFileKind::kMissing:
      throw FileError::FromErrno(ENOENT, "cannot wipe", path);
    case TFileKind::kOther:
      throw FileError(EINVAL, "cannot wipe " + path + ": not a regular file");
    case TFileKind::kRegular:
      break;
  }
  // The default open mode refuses a read-only file (also for root) before anything is written. Linux has
  // no mandatory share modes: the advisory lock keeps off other ZK processes only.
  File out;
  try {
    out = File::OpenForOverwrite(path);
  } catch (const FileError& error) {
    throw FileError(error.Code(), std::string(kWipeCannotOpen) + ": " + path);
  }
  if (!out.TryLockExclusive()) {
    if (unchangedSince) throw TSourceChanged(EWOULDBLOCK, "being read by another process: " + path);
    throw FileError(EWOULDBLOCK, std::string(kWipeCannotOpen) + ": " + path);
  }
  const TFileSnapshot found = out.Snapshot();
  if (unchangedSince && found != *unchangedSince)
    throw TSourceChanged(EAGAIN, "changed since it was read: " + path);
  if (out.LinkCount() > 1) {
    // Overwriting would destroy the data that its other names still hold.
    out = File();
    Unlink(path);
    return TWipeOutcome::kNameRemoved;
  }
  Overwrite(out, found.Size);
  // The name goes only while it still names the file just overwritten.
  if (IdentityOfName(path) != TFileIdentity{found.Device, found.Inode})
    throw FileError(ENOENT, "moved away while it was wiped: " + path);
  Unlink(path);
  return TWipeOutcome::kOverwritten;
}

// The overwrite is counted, paced and reported per 2048-byte block, as one block per write would be,
// but written in groups of blocks. A skip request can only arrive while events are processed, which
// happens before a block; the block is still written and the overwrite ends after it.
void TFileEngine::Overwrite(File& out, int64_t size) {
  const int64_t covered =
      std::max<int64_t>(kWipeBlockBytes, (size + kWipeBlockBytes - 1) / kWipeBlockBytes * kWipeBlockBytes);
  const size_t groupBytes = static_cast<size_t>(std::min<int64_t>(kEngineBufferBytes, covered));
  const uint8_t* const pattern = WipePattern();
  try {
    int64_t written = 0;
    size_t pending = 0;
    for (;;) {
      if (RandomBelow(ProcessMsgInterval) == 0) {
        if (size != 0) ReportProgress(TProgressKind::kWiping, written, size);
        if (Observer) Observer->ProcessMessages();
      }
      pending += kWipeBlockBytes;
      written += kWipeBlockBytes;
      const bool finished = written >= size || SkipWipeRequested;
      if (finished || pending == groupBytes) {
        out.Write(pattern, pending);
        pending = 0;
      }
      if (finished) break;
    }
    // The overwrite must be on the disk before the name goes.
    out.Sync();
    out.Close();
  } catch (const FileError& error) {
    // A full disk: the file goes all the same, but what it held may survive in its old blocks.
    const std::string path = out.Path();
    out = File();
    Unlink(path);
    throw TWipeIncomplete(error.Code(), "deleted without a complete overwrite: " + std::string(error.what()));
  } catch (...) {
    const std::string path = out.Path();
    out = File();
    ::unlink(path.c_str());
    throw;
  }
}

}  // namespace zk
