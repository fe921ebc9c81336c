#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

}  // namespace

// The overwrite is counted, paced and reported per 2048-byte block, as one block per write would be,
// but written in groups of blocks. A skip request can only arrive while events are processed, which
// happens before a block; the block is still written and the overwrite ends after it.
void TFileEngine::WipeFile(const std::string& path) {
  SkipWipeRequested = false;
  switch (FileKindOf(path, false)) {
    case TFileKind::kSymbolicLink:
      Unlink(path);  // the link goes; its target is not the file that was asked for
      return;
    case TFileKind::kMissing:
      throw FileError(ENOENT, "cannot wipe, no such file: " + path);
    case TFileKind::kOther:
      throw FileError(EINVAL, "cannot wipe, not a regular file: " + path);
    case TFileKind::kRegular:
      break;
  }
  // The default open mode refuses a read-only file (also for root) before anything is written. Linux has
  // no mandatory share modes, so the exclusive open below cannot be refused by another program's handle.
  File::OpenReadWrite(path).Close();
  File out;
  try {
    out = File::OpenWriteOnly(path);
  } catch (const FileError& error) {
    throw FileError(error.Code(), std::string(kWipeCannotOpen) + ": " + path);
  }
  const int64_t size = out.Size();

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
    out = File();
    Unlink(path);
    throw TWipeIncomplete(error.Code(), "deleted without a complete overwrite: " + std::string(error.what()));
  } catch (...) {
    out = File();
    ::unlink(path.c_str());
    throw;
  }
  Unlink(path);
}

}  // namespace zk
