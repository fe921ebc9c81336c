// The one visible form of names and hints that came from outside (file names, a container's stored name
// and hint): shown in a list or printed on a line, they can neither break the line nor steer a terminal.
#pragma once

#include <string>
#include <string_view>

namespace zk {

// What becomes of bytes that are not part of valid UTF-8.
enum class TStrayBytes {
  kKept,     // as they are: a UTF-8 terminal shows them as replacement characters, they control nothing
  kEscaped,  // as \xhh, like the controls
};

// `text` with its control characters written visibly: C0 controls and DEL as \n, \t, \r or \xhh (\x1b),
// the C1 controls U+0080 to U+009F as the \xhh escapes of their two UTF-8 bytes (\xc2\x9b), and the
// backslash itself as \\, so that the form reads back unambiguously. Everything else stays as it is.
std::string EscapeControls(std::string_view text, TStrayBytes stray = TStrayBytes::kKept);

}  // namespace zk
