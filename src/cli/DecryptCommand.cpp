// zkcli decrypt: each container back to its plain file beside it (or to -o, "-o -" being standard output),
// with the batch's row rules.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "cli/OverwriteNotes.h"
#include "cli/PasswordSource.h"
#include "cli/RowLoop.h"
#include "engine/FileEngine.h"
#include "engine/OutputNames.h"
#include "engine/ResultTexts.h"

namespace zk::cli {
namespace {

bool IsStream(const std::string& output) {
  const TExplicitOutput kind = ClassifyExplicitOutput(output);
  return kind == TExplicitOutput::kStream || kind == TExplicitOutput::kStandardOutput;
}

}  // namespace

int RunDecrypt(const TCommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  // What went into a stream may not have been kept by its reader: the container stays.
  if (line.output && line.wipeSource && IsStream(*line.output))
    throw EUsageError(
        "--wipe-source needs an output file; it cannot be used with standard output, a FIFO "
        "or a device");
  TWipedBatchOptions options;
  options.Password = ObtainPassword(line, TPasswordUse::kDecrypt).View();
  options.WipeDecryptedSource = line.wipeSource;

  TFileEngine engine;
  TConsole console(line.output == kStandardOutputName ? TResultLines::kStderr : TResultLines::kStdout);
  engine.Observer = &console;
  engine.ExplicitOutputName = line.output.value_or("");
  TOverwriteNotes notes(console);
  TResultOutput output(console, line);
  const int status = RunBatch(TBatchMode::kDecrypt, files, options, console, output, line.jobs, engine,
                              options.WipeDecryptedSource ? &notes : nullptr);
  output.Finish();
  return status;
}

}  // namespace zk::cli
