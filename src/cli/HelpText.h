// The text of "zkcli --help".
#pragma once

#include <string_view>

namespace zk::cli {

std::string_view HelpText();

}  // namespace zk::cli
