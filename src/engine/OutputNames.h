// How output files are named: the collision rule, random names and stored names.
#pragma once

#include <string>
#include <string_view>

namespace zk {

// While anything of that name exists, appends "_RENAMED" and the path's own extension:
// a.txt.enc -> a.txt.enc_RENAMED.enc -> a.txt.enc_RENAMED.enc_RENAMED.enc; abc -> abc_RENAMED.
// The name, suffixes included, is kept within kMaxFileNameBytes: a longer one loses whole characters
// before its extension (FitFileName), as many as the suffixes need.
std::string CollisionFreeName(const std::string& path);

// The source's folder, 7 random characters (each a letter e-x or a digit, with equal chance) and the
// extension as it stands; drawn anew while a file of that path exists.
std::string RandomOutputName(std::string_view source, std::string_view extension);

// The explicit output that stands for standard output.
inline constexpr std::string_view kStandardOutputName = "-";

// What becomes of an explicit decryption output, by what stands at its path now.
enum class TExplicitOutput {
  kNewFile,         // nothing there: a new file, never replacing one that appears meanwhile
  kReplacedFile,    // a regular file: replaced, but only by a complete decryption
  kStream,          // a FIFO or a character device (a terminal, /dev/null), also through a link: written into
  kStandardOutput,  // kStandardOutputName
  kRefused,         // a link to anything else, a folder, a block device, a socket: never replaced
};
TExplicitOutput ClassifyExplicitOutput(const std::string& path);

// A name read from a container, made safe to place in the container's folder: its last component after
// "/" or "\". Empty when nothing usable remains (empty, ".", "..", or a zero byte inside).
std::string StoredFileName(std::string_view name);

}  // namespace zk
