// How output files are named: the collision rule, random names and stored names.
#pragma once

#include <string>
#include <string_view>

namespace zk {

// While anything of that name exists, appends "_RENAMED" and the path's own extension:
// a.txt.enc -> a.txt.enc_RENAMED.enc -> a.txt.enc_RENAMED.enc_RENAMED.enc; abc -> abc_RENAMED.
std::string CollisionFreeName(std::string path);

// The source's folder, 7 random characters (each a letter e-x or a digit, with equal chance) and the
// extension as it stands; drawn anew while a file of that path exists.
std::string RandomOutputName(std::string_view source, std::string_view extension);

// A name read from a container, made safe to place in the container's folder: its last component after
// "/" or "\". Empty when nothing usable remains (empty, ".", "..", or a zero byte inside).
std::string StoredFileName(std::string_view name);

}  // namespace zk
