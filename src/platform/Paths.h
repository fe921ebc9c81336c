// Byte-string path helpers; "/" is the only separator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zk {

// Up to and including the last "/"; "" when there is none.
std::string FolderPart(std::string_view path);
// After the last "/".
std::string LastComponent(std::string_view path);
// From the last "." of the last component, dot included; "" if none.
std::string OwnExtension(std::string_view path);
// a-z folded to A-Z, every other byte unchanged.
std::string UpperAscii(std::string_view text);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The most bytes a file name (one path component) may have on Linux.
inline constexpr size_t kMaxFileNameBytes = 255;
// The longest prefix of at most maxBytes bytes that ends between whole characters when the text is valid
// UTF-8 (any prefix otherwise).
std::string Utf8Prefix(std::string_view text, size_t maxBytes);
// The name itself when it has at most maxBytes bytes; otherwise its part before the extension is cut to
// whole characters so that it fits, the extension (OwnExtension) kept. An extension too long to keep is cut
// with the rest.
std::string FitFileName(std::string_view name, size_t maxBytes);

}  // namespace zk
