// One function per zkcli command; each returns the exit status. Usage errors are thrown as EUsageError
// before anything is done.
#pragma once

#include "cli/CommandLine.h"

namespace zk::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;

int RunEncrypt(const TCommandLine& line);
int RunDecrypt(const TCommandLine& line);
int RunWipe(const TCommandLine& line);
int RunHint(const TCommandLine& line);
int RunSha1(const TCommandLine& line);
int RunCheckValue(const TCommandLine& line);
int RunCheckStrength(const TCommandLine& line);

}  // namespace zk::cli
