// One function per zkcli command; each returns the exit status. Usage errors are thrown as UsageError
// before anything is done.
#pragma once

#include "cli/CommandLine.h"

namespace zk::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;

int RunEncrypt(const CommandLine& line);
int RunDecrypt(const CommandLine& line);
int RunWipe(const CommandLine& line);
int RunHint(const CommandLine& line);
int RunSha1(const CommandLine& line);
int RunCheckValue(const CommandLine& line);
int RunCheckStrength(const CommandLine& line);

}  // namespace zk::cli
