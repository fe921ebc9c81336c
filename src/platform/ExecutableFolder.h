// Where the running program lies: the home of ZK.ini.
#pragma once

#include <string>

namespace zk {

// The folder of /proc/self/exe, ending in "/".
std::string ExecutableFolder();

}  // namespace zk
