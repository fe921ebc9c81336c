#include "platform/Paths.h"

#include "platform/CodePage.h"

namespace zk {

std::string FolderPart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string LastComponent(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string OwnExtension(std::string_view path) {
  const size_t slash = path.rfind('/');
  const size_t start = slash == std::string_view::npos ? 0 : slash + 1;
  const size_t dot = path.rfind('.');
  return dot == std::string_view::npos || dot < start ? std::string() : std::string(path.substr(dot));
}

namespace {
char UpperAsciiChar(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperAsciiChar(c);
  return result;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperAsciiChar(a[i]) != UpperAsciiChar(b[i])) return false;
  return true;
}

std::string Utf8Prefix(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  size_t end = maxBytes;
  // A byte 10xxxxxx continues the character before it.
  if (IsValidUtf8(text))
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

std::string FitFileName(std::string_view name, size_t maxBytes) {
  if (name.size() <= maxBytes) return std::string(name);
  const std::string extension = OwnExtension(name);
  if (extension.size() >= maxBytes || extension.size() == name.size()) return Utf8Prefix(name, maxBytes);
  return Utf8Prefix(name.substr(0, name.size() - extension.size()), maxBytes - extension.size()) + extension;
}

}  // namespace zk
