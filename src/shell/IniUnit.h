// The settings file, with the private-profile behaviour of the original: read whole, or one key per call;
// written one key per call, or many keys in one rewrite.
//
// `file` is a bare name such as "ZK.ini", which lives beside the program or, for an installed program, in the
// user's configuration folder (IniLocation.h); a name that contains a "/" is taken as the path itself (tests
// and tools use that). Every call opens, reads or rewrites and releases the file; nothing is cached.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

// The file as it was read once; each lookup follows the rules of the Read functions below.
class TIniContent {
 public:
  // A missing or unreadable file reads as empty.
  static TIniContent Read(const std::string& file);
  int32_t Integer(std::string_view section, std::string_view key, int32_t def) const;
  bool Bool(std::string_view section, std::string_view key, bool def) const;
  std::string String(std::string_view section, std::string_view key, std::string_view def) const;

 private:
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::optional<std::string> content_;
};

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

// One key's value as the file holds it.
struct TIniValue {
  std::string_view section;
  std::string_view key;
  std::string text;
};
std::string IniText(int32_t value);
std::string IniText(bool value);
// Writes every value as the single-key writes would, one after another, but rewrites the file once: either
// all of them are on disk when the call returns, or (EIniWriteError) none is.
void WriteIniValues(const std::string& file, const std::vector<TIniValue>& values);

}  // namespace zk
