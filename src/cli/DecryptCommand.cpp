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

int RunDecrypt(const CommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  // What went into a stream may not have been kept by its reader: the container stays.
  if (line.output && line.wipeSource && IsStream(*line.output))
    throw UsageError(
        "--wipe-source needs an output file; it cannot be used with standard output, a FIFO "
        "or a device");
  WipedBatchOptions options;
  options.Password = ObtainPassword(line, PasswordUse::kDecrypt).View();
  options.WipeDecryptedSource = line.wipeSource;

  TFileEngine engine;
  Console console(line.output == kStandardOutputName ? ResultLines::kStderr : ResultLines::kStdout);
  engine.Observer = &console;
  engine.ExplicitOutputName = line.output.value_or("");
  OverwriteNotes notes(console);
  ResultOutput output(console, line);
  const int status = RunBatch(TBatchMode::kDecrypt, files, options, console, output, line.jobs, engine,
                              options.WipeDecryptedSource ? &notes : nullptr);
  output.Finish();
  return status;
}

}  // namespace zk::cli
