// zkcli wipe: each file overwritten once and deleted, after a confirmation on the terminal unless --yes.
#include <optional>

#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "cli/OverwriteNotes.h"
#include "cli/RowLoop.h"
#include "cli/ShownTexts.h"
#include "cli/Terminal.h"
#include "engine/BatchRules.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"

namespace zk::cli {
namespace {

// The desktop program's two confirmations: the text of the confirmation list, then the wipe warning.
bool ConfirmedOnTerminal(size_t count) {
  std::optional<TTerminal> terminal = TTerminal::Open();
  if (!terminal)
    throw EUsageError("wipe asks for confirmation on the terminal; give --yes to wipe without asking");
  terminal->Write(ShownText(ConfirmationText(TBatchMode::kWipe, static_cast<int>(count))) + "\n");
  const std::optional<std::string> answer = terminal->ReadLine(TranslatedTemplate(kWipeWarning) + " [y/N] ");
  return answer && (*answer == "y" || *answer == "Y" || *answer == "yes");
}

}  // namespace

int RunWipe(const TCommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  if (!line.yes && !ConfirmedOnTerminal(files.size())) {
    TConsole().Error("not confirmed; nothing was wiped");
    return kExitSomeFailed;
  }

  TFileEngine engine;
  TConsole console;
  engine.Observer = &console;
  TOverwriteNotes notes(console);
  TResultOutput output(console, line);
  const int status =
      RunBatch(TBatchMode::kWipe, files, TBatchOptions(), console, output, line.jobs, engine, &notes);
  output.Finish();
  return status;
}

}  // namespace zk::cli
