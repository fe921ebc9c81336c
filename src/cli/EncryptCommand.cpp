// zkcli encrypt: each file into a container beside it (or to -o), with the batch's row rules.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "cli/OverwriteNotes.h"
#include "cli/PasswordSource.h"
#include "cli/RowLoop.h"
#include "cli/ShownTexts.h"
#include "engine/FileEngine.h"
#include "engine/PasswordRules.h"
#include "engine/PasswordStrength.h"
#include "engine/ResultTexts.h"
#include "platform/CodePage.h"

namespace zk::cli {
namespace {

void CheckHintFits(const std::string& hint) {
  if (!HintFits(hint))
    throw EUsageError("the hint is too long: at most " + std::to_string(kMaxHintBytes) + " bytes (CP932)");
}

}  // namespace

int RunEncrypt(const TCommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  CheckHintFits(line.hint);
  TWipedBatchOptions options;
  options.Hint = line.hint;
  options.Algorithm = line.algorithm;
  options.NamingMode = static_cast<int>(line.naming);
  options.OwnExtension = line.extension;
  options.WipeSource = line.wipeSource;
  if (line.output) options.ExplicitOutput = *line.output;
  options.Password = ObtainPassword(line, TPasswordUse::kEncrypt).View();

  TFileEngine engine;
  TConsole console;
  if (!FitsCp932(options.Password)) console.Error(TranslatedTemplate(kPasswordBeyondShiftJis));
  if (!FitsCp932(options.Hint)) console.Error(TranslatedTemplate(kHintBeyondShiftJis));
  const TPasswordStrength strength = EstimateStrength(options.Password);
  if (strength.Seconds < kCliWarnBelowSeconds)
    console.Error(ShownText(Composed(kWeakPasswordWarning, {StrengthText(strength)})));
  engine.Observer = &console;
  TOverwriteNotes notes(console);
  TResultOutput output(console, line);
  const int status = RunBatch(TBatchMode::kEncrypt, files, options, console, output, line.jobs, engine,
                              options.WipeSource ? &notes : nullptr);
  output.Finish();
  return status;
}

}  // namespace zk::cli
