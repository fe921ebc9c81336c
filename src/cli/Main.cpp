// zkcli: encrypts, decrypts and wipes files from the command line with the desktop program's engine.
#include <csignal>
#include <exception>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/HelpText.h"
#include "cli/StandardStreams.h"
#include "platform/ControlEscapes.h"
#include "platform/ProcessProtection.h"
#include "platform/SecretBytes.h"
#include "platform/UnfinishedFiles.h"

namespace zk::cli {
namespace {

int Run(const TCommandLine& line) {
  switch (line.command) {
    case TCommand::kHelp: {
      WriteToStdout(HelpText());
      return kExitSuccess;
    }
    case TCommand::kEncrypt:
      return RunEncrypt(line);
    case TCommand::kDecrypt:
      return RunDecrypt(line);
    case TCommand::kWipe:
      return RunWipe(line);
    case TCommand::kHint:
      return RunHint(line);
    case TCommand::kSha1:
      return RunSha1(line);
    case TCommand::kCheckValue:
      return RunCheckValue(line);
    case TCommand::kCheckStrength:
      return RunCheckStrength(line);
  }
  return kExitUsage;
}

// The words are copies of the arguments, the password of -p among them: overwritten once parsed.
TCommandLine ParseArguments(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  auto wipe = [&words] {
    for (std::string& word : words) WipeString(word);
  };
  try {
    TCommandLine line = ParseCommandLine(words);
    wipe();
    return line;
  } catch (...) {
    wipe();
    throw;
  }
}

}  // namespace
}  // namespace zk::cli

int main(int argc, char** argv) {
  using namespace zk::cli;
  GuardStandardDescriptors();
  // A reader of stdout that goes away (zkcli ... | head -1) must not end the process in the middle of a file.
  std::signal(SIGPIPE, SIG_IGN);
  zk::RemoveUnfinishedFilesOnStopSignals();
  int status;
  try {
    // Before anything holds the password: no core dump, and no other process reads it from our memory.
    zk::ProtectProcessMemory();
    status = Run(ParseArguments(argc, argv));
  } catch (const EUsageError& error) {
    WriteToStderr("zkcli: " + zk::EscapeControls(error.what()) + "\nTry 'zkcli --help'.\n");
    status = kExitUsage;
  } catch (const std::exception& error) {
    WriteToStderr("zkcli: " + zk::EscapeControls(error.what()) + "\n");
    status = kExitSomeFailed;
  }
  return FinishStdout(status);
}
