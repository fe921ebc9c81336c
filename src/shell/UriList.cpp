#include "shell/UriList.h"

#include "platform/Paths.h"

namespace zk {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%XY" becomes the byte XY; a "%" without two hexadecimal digits stays as it is.
std::string PercentDecoded(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      bytes.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      bytes.push_back(text[i]);
    }
  }
  return bytes;
}

// The path of one "file:" URI of this machine, still percent-encoded; empty for any other URI.
std::string_view EncodedLocalPath(std::string_view uri) {
  constexpr std::string_view kScheme = "file:";
  if (uri.size() < kScheme.size() || !EqualIgnoringAsciiCase(uri.substr(0, kScheme.size()), kScheme))
    return {};
  uri.remove_prefix(kScheme.size());
  uri = uri.substr(0, uri.find_first_of("?#"));  // a query or fragment is no part of the path
  if (uri.starts_with("//")) {
    uri.remove_prefix(2);
    const size_t slash = uri.find('/');
    if (slash == std::string_view::npos) return {};
    const std::string_view host = uri.substr(0, slash);
    if (!host.empty() && !EqualIgnoringAsciiCase(host, "localhost")) return {};
    uri.remove_prefix(slash);
  }
  return uri.starts_with("/") ? uri : std::string_view();
}

}  // namespace

std::vector<std::string> LocalPathsOfUriList(std::string_view uriList) {
  std::vector<std::string> paths;
  while (!uriList.empty()) {
    const size_t newline = uriList.find('\n');
    std::string_view line = uriList.substr(0, newline);
    uriList.remove_prefix(newline == std::string_view::npos ? uriList.size() : newline + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with('#')) continue;
    const std::string_view encoded = EncodedLocalPath(line);
    if (encoded.empty()) continue;
    std::string path = PercentDecoded(encoded);
    // A zero byte would end the path early and name another file.
    if (path.find('\0') == std::string::npos) paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace zk
