// zkcli decrypt: each container back to its plain file beside it (or to -o), with the batch's row rules.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "cli/OverwriteNotes.h"
#include "cli/PasswordSource.h"
#include "cli/RowLoop.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"

namespace zk::cli {

int RunDecrypt(const CommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  TBatchOptions options;
  options.Password = ObtainPassword(line, PasswordUse::kDecrypt);
  options.WipeDecryptedSource = line.wipeSource;

  TFileEngine engine;
  Console console;
  engine.Observer = &console;
  engine.ExplicitOutputName = line.output.value_or("");
  OverwriteNotes notes(console);
  return RunRows(files, kStatusDecrypting, console, [&](const std::string& path) {
    if (options.WipeDecryptedSource) notes.BeforeWipe(path);
    return DecryptRow(engine, path, options);
  });
}

}  // namespace zk::cli
