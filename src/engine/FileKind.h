// What a path names, beyond the attribute word: the engine touches regular files only.
#pragma once

#include <string>

namespace zk {

enum class TFileKind { kMissing, kRegular, kSymbolicLink, kOther };

// With followLinks a link reports the kind of its target (kMissing when it dangles).
TFileKind FileKindOf(const std::string& path, bool followLinks);

// Both paths exist and name the same file (device and inode, links followed).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace zk
