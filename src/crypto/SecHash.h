// TSecHash: whole-buffer and whole-file SHA-1 with the digest as five 32-bit words H0..H4.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zk {

// Raised by HashFile when the file cannot be opened. what() is "File not found !" whatever the cause, the
// text users of the hash tool know; Reason() says what really stood in the way, in the system's words
// ("No such file or directory", "Permission denied", "Is a directory", ...).
class ESecHashException : public std::runtime_error {
 public:
  explicit ESecHashException(std::string reason);
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

class TSecHash {
 public:
  using Digest = std::array<uint32_t, 5>;

  Digest HashString(std::string_view Text);
  // Length is a 64-bit byte count; a negative one is refused with std::invalid_argument.
  Digest HashBuffer(const void* Data, int64_t Length);
  // Opens the file for reading only, so a read-only file is hashed like any other. Refuses with
  // ESecHashException what cannot be read so: a missing path, a file the user may not read, a folder or
  // other non-regular file (a FIFO is never opened, so it cannot hang the call). Read errors after the
  // opening raise std::system_error.
  Digest HashFile(const std::string& Path);
};

// A digest word as exactly 8 upper-case hexadecimal digits, leading zeros kept.
std::string WordHex(uint32_t word);
// H0 to H4 as five such groups with one blank between them, the way the digest is shown.
std::string DigestText(const TSecHash::Digest& digest);

}  // namespace zk
