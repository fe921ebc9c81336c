// The password of one command: from -p, from the first line of stdin, or asked on the terminal.
#pragma once

#include "cli/CommandLine.h"
#include "engine/BatchRules.h"
#include "platform/SecretBytes.h"

namespace zk::cli {

enum class PasswordUse { kEncrypt, kDecrypt, kCheckValue, kCheckStrength };

// Without -p or --password-stdin the password is asked on the terminal without echo, twice for an
// encryption (until both entries match, three tries). For an encryption the password must not be empty and
// must reach the minimum length of the security level. Throws UsageError (with the text the desktop
// program's password dialog shows) when there is no password to be had or it is refused.
TSecretBytes ObtainPassword(const CommandLine& line, PasswordUse use);

// The batch options of a command. The engine's rows take the password as a string in them; it is
// overwritten when the command ends.
struct WipedBatchOptions : TBatchOptions {
  WipedBatchOptions() = default;
  ~WipedBatchOptions() { WipeString(Password); }
  WipedBatchOptions(const WipedBatchOptions&) = delete;
  WipedBatchOptions& operator=(const WipedBatchOptions&) = delete;
};

}  // namespace zk::cli
