#include "shell/IniUnit.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <optional>
#include <vector>

#include "platform/Durability.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/FileInfo.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "shell/IniLocation.h"

namespace zk {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// One line of the file: its text without the line break, where the text begins and where the line ends
// (after its break).
struct TIniLine {
  std::string_view text;
  size_t begin;
  size_t end;
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::vector<TIniLine> SplitLines(std::string_view content) {
  std::vector<TIniLine> lines;
  // Editors may put a byte order mark in front of UTF-8; it is kept but is no part of the first line.
  size_t begin = content.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  while (begin < content.size()) {
    const size_t newline = content.find('\n', begin);
    const size_t end = newline == std::string_view::npos ? content.size() : newline + 1;
    std::string_view text =
        content.substr(begin, (newline == std::string_view::npos ? end : newline) - begin);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    lines.push_back({text, begin, end});
    begin = end;
  }
  return lines;
}

// The name of a section header line, or nothing.
std::optional<std::string_view> SectionName(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const size_t close = text.find(']');
  return Trim(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

bool IsComment(std::string_view text) {
  text = Trim(text);
  return !text.empty() && (text.front() == ';' || text.front() == '#');
}

// Where a key lives in the file, as far as it exists.
struct TKeyLocation {
  bool sectionFound = false;
  std::optional<size_t> keyLine;  // index into the lines
  size_t sectionEnd = 0;          // offset just after the section's last non-blank line
};

TKeyLocation Locate(const std::vector<TIniLine>& lines, std::string_view section, std::string_view key) {
  TKeyLocation location;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const TIniLine& line = lines[i];
    if (std::optional<std::string_view> name = SectionName(line.text)) {
      if (inSection) break;  // the first section of that name is the one used
      inSection = EqualIgnoringAsciiCase(*name, section);
      if (inSection) {
        location.sectionFound = true;
        location.sectionEnd = line.end;
      }
      continue;
    }
    if (!inSection) continue;
    if (!Trim(line.text).empty()) location.sectionEnd = line.end;
    if (IsComment(line.text)) continue;
    const size_t equals = line.text.find('=');
    if (equals == std::string_view::npos) continue;
    if (EqualIgnoringAsciiCase(Trim(line.text.substr(0, equals)), key)) {
      location.keyLine = i;
      return location;
    }
  }
  return location;
}

// The whole file, "" when missing; nothing when it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  try {
    File file = File::OpenReadOnly(path);
    std::string content(static_cast<size_t>(file.Size()), '\0');
    content.resize(file.Read(content.data(), content.size()));
    return content;
  } catch (const FileError& error) {
    if (error.Code() == ENOENT) return std::string();
    return std::nullopt;
  }
}

// The raw value of the key in `content`, or nothing when section or key is missing.
std::optional<std::string> ValueIn(std::string_view content, std::string_view section, std::string_view key) {
  const std::vector<TIniLine> lines = SplitLines(content);
  const TKeyLocation location = Locate(lines, section, key);
  if (!location.keyLine) return std::nullopt;
  const std::string_view text = lines[*location.keyLine].text;
  std::string_view value = Trim(text.substr(text.find('=') + 1));
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, kIniValueLimit));
}

std::optional<int32_t> ParseInteger(std::string_view text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint32_t value;
    const auto [end, error] = std::from_chars(first + 2, last, value, 16);
    if (error != std::errc() || end != last) return std::nullopt;
    return static_cast<int32_t>(value);  // 0xFFFFFFFF is -1, as a 32-bit register holds it
  }
  if (first != last && *first == '+') ++first;
  int32_t value;
  const auto [end, error] = std::from_chars(first, last, value, 10);
  if (first == last || error != std::errc() || end != last || (first != text.data() && *first == '-'))
    return std::nullopt;
  return value;
}

// A value that reading would trim or unquote is written quoted, so that it reads back as written; a line
// break would end the line and is written as a blank.
std::string EncodeValue(std::string_view value) {
  std::string encoded(value);
  for (char& c : encoded)
    if (c == '\r' || c == '\n') c = ' ';
  const bool changedByReading =
      !encoded.empty() &&
      (kBlanks.find(encoded.front()) != std::string_view::npos ||
       kBlanks.find(encoded.back()) != std::string_view::npos ||
       (encoded.size() >= 2 && IsQuote(encoded.front()) && encoded.back() == encoded.front()));
  return changedByReading ? '"' + encoded + '"' : encoded;
}

std::string WithKey(std::string content, std::string_view section, std::string_view key,
                    std::string_view value) {
  const std::vector<TIniLine> lines = SplitLines(content);
  const TKeyLocation location = Locate(lines, section, key);
  // New lines follow the file's own line breaks.
  const size_t firstBreak = content.find('\n');
  const bool crlf = firstBreak != std::string::npos && firstBreak > 0 && content[firstBreak - 1] == '\r';
  const std::string_view lineBreak = crlf ? "\r\n" : "\n";
  const std::string entry = std::string(key) + "=" + EncodeValue(value);
  if (location.keyLine) {
    const TIniLine& line = lines[*location.keyLine];
    const size_t textEnd = line.begin + line.text.size();
    content.replace(line.begin, textEnd - line.begin, entry);
    return content;
  }
  if (location.sectionFound) {
    std::string inserted = entry + std::string(lineBreak);
    size_t at = location.sectionEnd;
    if (at > 0 && content[at - 1] != '\n') {
      inserted = std::string(lineBreak) + entry;  // the section ends the file without a final line break
    }
    content.insert(at, inserted);
    return content;
  }
  if (!content.empty() && content.back() != '\n') content += lineBreak;
  content.append("[").append(section).append("]").append(lineBreak).append(entry).append(lineBreak);
  return content;
}

// Writes the new content beside the file and renames it over, so that the file is always either the old or
// the new one, never a half-written mixture. The file gets `mode` (that of the file it replaces); a new one
// is its owner's only (0600), as it may hold the password's check value and hint.
void ReplaceFile(const std::string& path, const std::string& content, std::optional<mode_t> mode) {
  File file = File::CreateTemporaryBeside(path);
  const std::string temporary = file.Path();
  try {
    if (mode && ::fchmod(file.Descriptor(), *mode) != 0)
      throw FileError::FromErrno(errno, "cannot set mode", temporary);
    file.Write(content.data(), content.size());
    file.Sync();
    file.Close();
    if (::rename(temporary.c_str(), path.c_str()) != 0)
      throw FileError::FromErrno(errno, "cannot rename", path);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  SyncFolderOf(path);
}

}  // namespace

EIniWriteError::EIniWriteError(const std::string& path)
    : std::runtime_error(RenderText(Sentence(kIniCannotWrite, {path}))), Path(path) {}

std::string IniPath(const std::string& file) {
  return file.find('/') != std::string::npos ? file : IniFolder(CurrentIniSurroundings()) + file;
}

TIniContent TIniContent::Read(const std::string& file) {
  TIniContent ini;
  ini.content_ = ReadWholeFile(IniPath(file));
  return ini;
}

std::optional<std::string> TIniContent::Value(std::string_view section, std::string_view key) const {
  if (!content_) return std::nullopt;
  return ValueIn(*content_, section, key);
}

int32_t TIniContent::Integer(std::string_view section, std::string_view key, int32_t def) const {
  const std::optional<std::string> value = Value(section, key);
  if (!value) return def;
  return ParseInteger(*value).value_or(def);
}

bool TIniContent::Bool(std::string_view section, std::string_view key, bool def) const {
  return Integer(section, key, def ? 1 : 0) != 0;
}

std::string TIniContent::String(std::string_view section, std::string_view key, std::string_view def) const {
  return Value(section, key).value_or(std::string(def));
}

int32_t ReadIniInteger(const std::string& file, std::string_view section, std::string_view key, int32_t def) {
  return TIniContent::Read(file).Integer(section, key, def);
}

bool ReadIniBool(const std::string& file, std::string_view section, std::string_view key, bool def) {
  return TIniContent::Read(file).Bool(section, key, def);
}

std::string ReadIniString(const std::string& file, std::string_view section, std::string_view key,
                          std::string_view def) {
  return TIniContent::Read(file).String(section, key, def);
}

void WriteIniValues(const std::string& file, const std::vector<TIniValue>& values) {
  const std::string path = IniPath(file);
  try {
    // A link to the settings file keeps being a link: the file it points to is rewritten.
    std::string target = path;
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      target = resolved;
      ::free(resolved);
    }
    std::optional<mode_t> existingMode;
    struct stat info;
    if (::stat(target.c_str(), &info) == 0) {
      // Rename would replace even a read-only file; the attribute refuses the write as on Windows.
      if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0) throw FileError(EACCES, path);
      existingMode = info.st_mode & 07777;
    }
    // The configuration folder of an installed program may not exist before its first write.
    CreateFolderWithParents(FolderPart(target), 0700);
    const std::optional<std::string> content = ReadWholeFile(target);
    if (!content) throw FileError(EACCES, path);
    std::string updated = *content;
    for (const TIniValue& value : values)
      updated = WithKey(std::move(updated), value.section, value.key, value.text);
    if (updated != *content) ReplaceFile(target, updated, existingMode);
  } catch (const FileError&) {
    throw EIniWriteError(path);
  }
}

void WriteIniInteger(const std::string& file, std::string_view section, std::string_view key, int32_t value) {
  WriteIniValues(file, {{section, key, IniText(value)}});
}

void WriteIniBool(const std::string& file, std::string_view section, std::string_view key, bool value) {
  WriteIniValues(file, {{section, key, IniText(value)}});
}

void WriteIniString(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view value) {
  WriteIniValues(file, {{section, key, std::string(value)}});
}

std::string IniText(int32_t value) { return std::to_string(value); }
std::string IniText(bool value) { return value ? "1" : "0"; }

}  // namespace zk
