// Byte-string path helpers; "/" is the only separator.
#pragma once

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

}  // namespace zk
