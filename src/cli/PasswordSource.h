// The password of one command: from -p, from the first line of stdin, or asked on the terminal.
#pragma once

#include <string>

#include "cli/CommandLine.h"

namespace zk::cli {

enum class PasswordUse { kEncrypt, kDecrypt, kCheckValue };

// Without -p or --password-stdin the password is asked on the terminal without echo, twice for an
// encryption (until both entries match, three tries). For an encryption the password must not be empty and
// must reach the minimum length of the security level. Throws UsageError (with the text the desktop
// program's password dialog shows) when there is no password to be had or it is refused.
std::string ObtainPassword(const CommandLine& line, PasswordUse use);

}  // namespace zk::cli
