// The container layout, defined once for the writer and the readers. Integers are 32-bit signed
// little-endian; fields follow each other without padding; the payload runs to the end of the file:
//
//   0        20  magic "ENCRYPTED BY V3.X ZK"
//   20        4  algorithm number (0 Twofish, 1 Rijndael, 2 GOST; stored as given, others mean Twofish)
//   24        8  check block: PasswordCheckValue encrypted under the file key
//   32        4  H, then H bytes: EncryptText of the hint under the field key text
//   36+H      4  N, then N bytes: EncryptText of the plain file's name under the field key text
//   40+H+N    4  packed local file date, -1 when unknown
//   44+H+N    L  the plain bytes in CBC under the file key (tail rule, no padding)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zk {

class File;
class TZK_blockcipher;
class TZK_sha1;

inline constexpr std::string_view kContainerMagic = "ENCRYPTED BY V3.X ZK";
inline constexpr std::string_view kOldestMagic = "ENCRYPTED BY ZK";
inline constexpr std::string_view kVersion2Magic = "ENCRYPTED BY V2.X ZK";
inline constexpr size_t kMagicBytes = 20;

inline constexpr int32_t kAlgorithmTwofish = 0;
inline constexpr int32_t kAlgorithmRijndael = 1;
inline constexpr int32_t kAlgorithmGost = 2;

// The hint and the name are hidden from casual reading only: anyone can decrypt them with this text.
inline constexpr std::string_view kFieldKeyText = "513907264";
inline constexpr int32_t kMaxFieldBytes = 1000;

inline constexpr size_t kFileKeyBytes = 32;
inline constexpr size_t kCheckBlockBytes = 8;
// The payload is processed, and progress counted, in runs of this many bytes.
inline constexpr size_t kPayloadRunBytes = 8192;

using TCheckBlock = std::array<uint8_t, kCheckBlockBytes>;

enum class TMagicVerdict { kCurrent, kOldFormat, kNotContainer };

// The text up to the first zero byte of the 20 magic bytes, tested by substring search: the two old
// magics first, then the current one.
TMagicVerdict ClassifyMagic(std::string_view magicBytes);

// The file key: 32 bytes of 0xFF with the SHA-1 of the password's bytes over bytes 0 to 19, given to
// Init as a 256-bit key without IV (so the IV is the encryption of an all-0xFF block).
void InitFileKey(TZK_blockcipher& cipher, TZK_sha1& sha1, std::string_view password);

// The 8 characters of the check value, EncryptCBC in place right after InitFileKey, then Reset, so that
// the payload starts from the IV again.
TCheckBlock MakeCheckBlock(TZK_blockcipher& cipher, std::string_view checkValue);

struct TContainerHeader {
  int32_t Algorithm = kAlgorithmTwofish;
  TCheckBlock CheckBlock{};
  std::string HintField;
  std::string NameField;
  int32_t FileDate = -1;
};

inline bool FieldFits(std::string_view field) { return field.size() <= static_cast<size_t>(kMaxFieldBytes); }

// The header bytes in their order; throws std::length_error when a field exceeds kMaxFieldBytes, since
// every reader would reject such a container as damaged.
std::string SerializeHeader(const TContainerHeader& header);

// A header read that returned fewer bytes than its field needs.
class TTruncatedContainer : public std::runtime_error {
 public:
  TTruncatedContainer() : std::runtime_error("the container ends inside its header") {}
};

// Reads the header fields one by one, in their order, from the current position of an open file. Each
// call throws TTruncatedContainer when the file ends inside the field.
class TContainerReader {
 public:
  explicit TContainerReader(File& file) : file_(file) {}

  std::string ReadMagic();  // the 20 bytes as they stand
  int32_t ReadInt32();      // the algorithm number or the file date
  TCheckBlock ReadCheckBlock();
  // The field's bytes; empty when its length is outside 0 to kMaxFieldBytes (a damaged file).
  std::optional<std::string> ReadField();

 private:
  void ReadExactly(void* data, size_t size);

  File& file_;
};

}  // namespace zk
