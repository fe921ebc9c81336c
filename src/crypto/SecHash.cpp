#include "SecHash.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "Bytes.h"
#include "Sha1Compress.h"

namespace zk {
namespace {

constexpr size_t kBlockBytes = 64;
constexpr size_t kReadBytes = 64 * 1024;  // a whole number of blocks

// One SHA-1 computation: whole blocks in any number of steps, then the last 0..63 bytes.
class TSha1Run {
 public:
  TSha1Run() : compress_(Sha1Compressor()) { std::memcpy(h_, kSha1Initial, sizeof h_); }
  ~TSha1Run() { SecureFill(h_, 0); }
  TSha1Run(const TSha1Run&) = delete;
  TSha1Run& operator=(const TSha1Run&) = delete;

  void Blocks(const uint8_t* data, size_t blocks) { compress_(h_, data, blocks); }

  // Pads with 0x80, zeros and the message length in bits (64 bits, big-endian): one block, or two when
  // the tail leaves no room for the length.
  TSecHash::Digest Finish(const uint8_t* tail, size_t tailBytes, uint64_t messageBytes) {
    uint8_t last[2 * kBlockBytes] = {};
    if (tailBytes > 0) std::memcpy(last, tail, tailBytes);  // tail may be null for an empty message
    last[tailBytes] = 0x80;
    const size_t padded = tailBytes < kBlockBytes - 8 ? kBlockBytes : 2 * kBlockBytes;
    const uint64_t bits = messageBytes << 3;
    StoreBE32(last + padded - 8, static_cast<uint32_t>(bits >> 32));
    StoreBE32(last + padded - 4, static_cast<uint32_t>(bits));
    compress_(h_, last, padded / kBlockBytes);
    SecureFill(last, 0);
    return {h_[0], h_[1], h_[2], h_[3], h_[4]};
  }

 private:
  Sha1CompressFunction compress_;
  uint32_t h_[5];
};

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, TFileCloser>;

// Only regular files are opened: opening a FIFO for reading would wait for a writer.
File OpenForReading(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error) throw ESecHashException(error.message());
  if (fs::is_directory(status))
    throw ESecHashException(std::make_error_code(std::errc::is_a_directory).message());
  if (!fs::is_regular_file(status)) throw ESecHashException("Not a regular file");
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) throw ESecHashException(std::generic_category().message(errno));
  return file;
}

}  // namespace

ESecHashException::ESecHashException(std::string reason)
    : std::runtime_error("File not found !"), reason_(std::move(reason)) {}

TSecHash::Digest TSecHash::HashString(std::string_view Text) {
  return HashBuffer(Text.data(), static_cast<int64_t>(Text.size()));
}

TSecHash::Digest TSecHash::HashBuffer(const void* Data, int64_t Length) {
  if (Length < 0) throw std::invalid_argument("TSecHash: negative length");
  const auto data = static_cast<const uint8_t*>(Data);
  const size_t bytes = static_cast<size_t>(Length);
  const size_t blocks = bytes / kBlockBytes;
  TSha1Run run;
  run.Blocks(data, blocks);
  return run.Finish(data + blocks * kBlockBytes, bytes % kBlockBytes, bytes);
}

TSecHash::Digest TSecHash::HashFile(const std::string& Path) {
  const File file = OpenForReading(Path);
  std::setvbuf(file.get(), nullptr, _IONBF, 0);  // the pieces are large; no second copy through stdio
  std::vector<uint8_t> buffer(kReadBytes);
  TSha1Run run;
  uint64_t total = 0;
  for (;;) {
    // Unbuffered fread returns short only at the end of the file or on an error.
    const size_t got = std::fread(buffer.data(), 1, kReadBytes, file.get());
    if (std::ferror(file.get()))
      throw std::system_error(errno, std::generic_category(), "Read error: " + Path);
    total += got;
    const size_t blocks = got / kBlockBytes;
    run.Blocks(buffer.data(), blocks);
    if (got < kReadBytes) return run.Finish(buffer.data() + blocks * kBlockBytes, got % kBlockBytes, total);
  }
}

std::string WordHex(uint32_t word) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(word));
  return hex;
}

std::string DigestText(const TSecHash::Digest& digest) {
  std::string text;
  for (uint32_t word : digest) {
    if (!text.empty()) text += ' ';
    text += WordHex(word);
  }
  return text;
}

}  // namespace zk
