#include "platform/Paths.h"

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

}  // namespace zk
