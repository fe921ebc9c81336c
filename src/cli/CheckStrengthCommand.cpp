// zkcli check-strength: how long the password would hold against offline guessing of a container, as the
// desktop program's password dialog shows it, after the estimated seconds for scripts to compare.
#include <cstdio>

#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/PasswordSource.h"
#include "cli/ShownTexts.h"
#include "engine/PasswordStrength.h"

namespace zk::cli {

int RunCheckStrength(const TCommandLine& line) {
  const TSecretBytes password = ObtainPassword(line, TPasswordUse::kCheckStrength);
  const TPasswordStrength strength = EstimateStrength(password.View());
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3g", strength.Seconds);
  TConsole().Line({seconds, ShownText(StrengthText(strength))});
  return kExitSuccess;
}

}  // namespace zk::cli
