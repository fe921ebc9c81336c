// The walk over the files of an encryption, decryption or wipe: the progress bar names each file, its
// result line follows on stdout.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Console.h"
#include "engine/BatchRules.h"

namespace zk::cli {

// Runs `row` on every file in order and prints "result text + path", with a tab and the decrypted file's
// path when there is one. Returns kExitSuccess, or kExitSomeFailed when any row failed.
int RunRows(const std::vector<std::string>& files, std::string_view statusSuffix, Console& console,
            const std::function<TRowResult(const std::string& path)>& row);

}  // namespace zk::cli
