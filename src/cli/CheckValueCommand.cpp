// zkcli check-value: the 8-character password check value that the settings register and every container
// carries.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/PasswordSource.h"
#include "engine/FileEngine.h"

namespace zk::cli {

int RunCheckValue(const TCommandLine& line) {
  const TSecretBytes password = ObtainPassword(line, TPasswordUse::kCheckValue);
  TFileEngine engine;
  TConsole().Line({engine.PasswordCheckValue(password.View())});
  return kExitSuccess;
}

}  // namespace zk::cli
