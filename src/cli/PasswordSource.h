// The password of one command: from -p, from the first line of stdin, or asked on the terminal.
#pragma once

#include "cli/CommandLine.h"
#include "engine/BatchRules.h"
#include "platform/SecretBytes.h"

namespace zk::cli {

enum class TPasswordUse { kEncrypt, kDecrypt, kCheckValue, kCheckStrength };

// Without -p or --password-stdin the password is asked on the terminal without echo, twice for an
// encryption (until both entries match, three tries). For an encryption the password must not be empty and
// must reach the minimum length of the security level. Throws EUsageError (with the text the desktop
// program's password dialog shows) when there is no password to be had or it is refused.
TSecretBytes ObtainPassword(const TCommandLine& line, TPasswordUse use);

// The batch options of a command. The engine's rows take the password as a string in them; it is
// overwritten when the command ends.
struct TWipedBatchOptions : TBatchOptions {
  TWipedBatchOptions() = default;
  ~TWipedBatchOptions() { WipeString(Password); }
  TWipedBatchOptions(const TWipedBatchOptions&) = delete;
  TWipedBatchOptions& operator=(const TWipedBatchOptions&) = delete;
};

}  // namespace zk::cli
