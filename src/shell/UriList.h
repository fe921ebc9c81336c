// The paths of a drop as a file manager sends them: a "text/uri-list" of file URIs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zk {

// The local file paths of a URI list, in its order, as bytes: the percent-encoding is undone by hand, so
// that a name which is not valid UTF-8 arrives exactly as it stands on disk. Lines are separated by CR LF
// or LF; empty lines and "#" comments are skipped, and so is every URI that is not a "file:" URI of this
// machine (no host, or "localhost"), whose path is not absolute, or that decodes to a zero byte.
std::vector<std::string> LocalPathsOfUriList(std::string_view uriList);

}  // namespace zk
