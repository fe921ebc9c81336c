// zkcli encrypt: each file into a container beside it (or to -o), with the batch's row rules.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "cli/OverwriteNotes.h"
#include "cli/PasswordSource.h"
#include "cli/RowLoop.h"
#include "engine/ContainerFormat.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"
#include "platform/CodePage.h"

namespace zk::cli {
namespace {

// The hint field holds 4 Base64 characters for every started 3 bytes and at most kMaxFieldBytes of them.
void CheckHintFits(const std::string& hint) {
  constexpr size_t kMaxHintBytes = kMaxFieldBytes / 4 * 3;
  if (Cp932Length(hint) > kMaxHintBytes)
    throw UsageError("the hint is too long: at most " + std::to_string(kMaxHintBytes) + " bytes (CP932)");
}

}  // namespace

int RunEncrypt(const CommandLine& line) {
  const std::vector<std::string> files = CollectInputFiles(line);
  CheckHintFits(line.hint);
  TBatchOptions options;
  options.Hint = line.hint;
  options.Algorithm = line.algorithm;
  options.NamingMode = static_cast<int>(line.naming);
  options.OwnExtension = line.extension;
  options.WipeSource = line.wipeSource;
  if (line.output) options.ExplicitOutput = *line.output;
  options.Password = ObtainPassword(line, PasswordUse::kEncrypt);

  TFileEngine engine;
  Console console;
  engine.Observer = &console;
  OverwriteNotes notes(console);
  return RunRows(files, kStatusEncrypting, console, [&](const std::string& path) {
    if (options.WipeSource) notes.BeforeWipe(path);
    return EncryptRow(engine, path, options);
  });
}

}  // namespace zk::cli
