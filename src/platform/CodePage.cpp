#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <optional>

#include "platform/ControlEscapes.h"
#include "platform/SecretBytes.h"

namespace zk {

namespace {

// glibc's "CP932" is the Windows table; "SHIFT_JIS" differs on ～ ∥ － ￢ and the NEC/IBM extensions.
constexpr const char* kWindowsJapanese = "CP932";

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The whole text converted, or nothing when any byte cannot be converted. UTF-8 and CP932 share ASCII
// byte for byte, and most names and passwords are ASCII: those need no converter (opening one costs more
// than a small file's cipher).
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
  if (IsAscii(input)) return std::string(input);
  iconv_t converter = ::iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string output(input.size() * 2 + 8, '\0');
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  size_t done = 0;
  bool ok = true;
  while (inLeft > 0) {
    char* out = output.data() + done;
    size_t outLeft = output.size() - done;
    const size_t result = ::iconv(converter, &in, &inLeft, &out, &outLeft);
    done = output.size() - outLeft;
    if (result != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) {
      output.resize(output.size() * 2);
      continue;
    }
    ok = false;  // EILSEQ: not representable / not valid; EINVAL: cut-off sequence at the end
    break;
  }
  ::iconv_close(converter);
  if (!ok) {
    WipeString(output);  // the part converted so far may be a password's
    return std::nullopt;
  }
  output.resize(done);
  return output;
}

std::string PartDisplayText(std::string_view part) {
  if (!IsValidUtf8(part))
    if (std::optional<std::string> decoded = Convert("UTF-8", kWindowsJapanese, part))
      return EscapeControls(*decoded);
  return EscapeControls(part, TStrayBytes::kEscaped);
}

}  // namespace

size_t Utf8SequenceLength(std::string_view bytes, size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  if (lead < 0x80) return 1;
  size_t length;
  uint32_t code;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() - at < length) return 0;
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[at + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  // Overlong forms, UTF-16 surrogates and values beyond U+10FFFF are not UTF-8.
  if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
      (code >= 0xD800 && code <= 0xDFFF))
    return 0;
  return length;
}

bool IsValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string PathDisplayText(std::string_view path) {
  if (IsValidUtf8(path)) return EscapeControls(path);
  // "/" is never part of a CP932 character, so each part between separators is decoded on its own.
  std::string text;
  for (size_t begin = 0;;) {
    const size_t slash = path.find('/', begin);
    text.append(PartDisplayText(path.substr(begin, slash == std::string_view::npos ? slash : slash - begin)));
    if (slash == std::string_view::npos) return text;
    text.push_back('/');
    begin = slash + 1;
  }
}

std::string Utf8ToCp932(std::string_view utf8) {
  std::optional<std::string> converted = Convert(kWindowsJapanese, "UTF-8", utf8);
  return converted ? std::move(*converted) : std::string(utf8);
}

std::string Cp932ToUtf8(std::string_view bytes) {
  std::optional<std::string> converted = Convert("UTF-8", kWindowsJapanese, bytes);
  return converted ? std::move(*converted) : std::string(bytes);
}

std::string StoredNameToUtf8(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Cp932ToUtf8(bytes);
}

// The two below measure passwords too: the conversion they throw away is overwritten first.
bool FitsCp932(std::string_view utf8) {
  std::optional<std::string> converted = Convert(kWindowsJapanese, "UTF-8", utf8);
  if (!converted) return false;
  WipeString(*converted);
  return true;
}

size_t Cp932Length(std::string_view utf8) {
  std::string converted = Utf8ToCp932(utf8);
  const size_t length = converted.size();
  WipeString(converted);
  return length;
}

}  // namespace zk
