// The settings file: one key read or written per call, with the private-profile behaviour of the original.
//
// `file` is a bare name such as "ZK.ini", which lives beside the program or, for an installed program, in the
// user's configuration folder (IniLocation.h); a name that contains a "/" is taken as the path itself (tests
// and tools use that). Every call opens, reads or rewrites and releases the file; nothing is cached.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/TextTemplate.h"

namespace zk {

inline constexpr const char* kIniFileName = "ZK.ini";
// A value is seen through a buffer of 2048 bytes: its first 2047 bytes.
inline constexpr size_t kIniValueLimit = 2047;

// What follows the path in the message of a refused write.
inline constexpr std::string_view kIniCannotWrite = ZK_TRANSLATE_NOOP("CoreTexts", "%1 に書き込めません");

// Raised when a write is refused; what() is "<full path> に書き込めません".
class EIniWriteError : public std::runtime_error {
 public:
  explicit EIniWriteError(const std::string& path);
  const std::string Path;  // the full path
};

// The full path of `file` (see above).
std::string IniPath(const std::string& file);

// Missing file, section or key, an empty value or a value that is not a number give the default. A value
// longer than two characters that begins with "0x"/"0X" is hexadecimal, anything else signed decimal.
int32_t ReadIniInteger(const std::string& file, std::string_view section, std::string_view key, int32_t def);
// Read as an integer; anything but 0 is true.
bool ReadIniBool(const std::string& file, std::string_view section, std::string_view key, bool def);
// Missing key gives the default; a key with an empty value gives "".
std::string ReadIniString(const std::string& file, std::string_view section, std::string_view key,
                          std::string_view def);

// Creates the file's folder (mode 0700, with parents), the file, the section and the key when missing,
// otherwise replaces the value in place; every other line stays byte for byte. The write is on disk when the
// call returns. Throws EIniWriteError.
void WriteIniInteger(const std::string& file, std::string_view section, std::string_view key, int32_t value);
void WriteIniBool(const std::string& file, std::string_view section, std::string_view key, bool value);
void WriteIniString(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view value);

}  // namespace zk
