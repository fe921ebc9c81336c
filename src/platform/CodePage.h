// Conversions between the UTF-8 of this system and the CP932 (Japanese Windows) bytes of stored texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zk {

// The CP932 bytes, or the UTF-8 bytes unchanged when CP932 cannot represent the text.
std::string Utf8ToCp932(std::string_view utf8);
// Decoded to UTF-8; bytes that are not valid CP932 come back as they are.
std::string Cp932ToUtf8(std::string_view bytes);
// A stored name: valid UTF-8 is taken as UTF-8, anything else is decoded from CP932.
std::string StoredNameToUtf8(std::string_view bytes);
// True when CP932 can represent the whole text; otherwise its stored bytes are its UTF-8 bytes.
bool FitsCp932(std::string_view utf8);
// Length in CP932 bytes (a double-byte character counts two); UTF-8 length under the fallback.
size_t Cp932Length(std::string_view utf8);

bool IsValidUtf8(std::string_view bytes);
// The length of the valid UTF-8 sequence that starts at byte `at` of `bytes`; 0 when none does (a stray
// byte, an overlong form, a surrogate, a value beyond U+10FFFF, a sequence cut short).
size_t Utf8SequenceLength(std::string_view bytes, size_t at);

// What the user is shown of a path, or of a message naming one; the bytes themselves stay what the run
// uses. Each "/"-separated part is kept when it is valid UTF-8, decoded from CP932 when it is valid CP932
// (names from Windows archives), otherwise shown with every byte outside valid UTF-8 written as \xhh.
// Control characters and the backslash come escaped (EscapeControls): a name never shows as two lines.
std::string PathDisplayText(std::string_view path);

}  // namespace zk
