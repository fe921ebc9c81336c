// zkcli encrypt: each file into a container beside it (or to -o), with the batch's row rules.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "cli/PasswordSource.h"
#include "cli/RowLoop.h"
#include "engine/ContainerFormat.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"
#include "platform/CodePage.h"
#include "platform/Durability.h"
#include "platform/FileInfo.h"

namespace zk::cli {
namespace {

// The hint field holds 4 Base64 characters for every started 3 bytes and at most kMaxFieldBytes of them.
void CheckHintFits(const std::string& hint) {
  constexpr size_t kMaxHintBytes = kMaxFieldBytes / 4 * 3;
  if (Cp932Length(hint) > kMaxHintBytes)
    throw UsageError("the hint is too long: at most " + std::to_string(kMaxHintBytes) + " bytes (CP932)");
}

// The single-file form with -o: the row rules of EncryptRow, but with the output path given rather than
// formed from the naming mode (the "_RENAMED" rule still keeps an existing file).
TRowResult EncryptToOutput(TFileEngine& engine, const std::string& path, const std::string& output,
                           const TBatchOptions& options) {
  const auto failure = [&path](std::string_view text) {
    return TRowResult{std::string(IsReadOnlyFile(path) ? kEncryptReadOnly : text), true, {}};
  };
  if (NameTooLong(path)) return failure(kEncryptNameTooLong);
  const std::string text =
      engine.EncryptFile(path, output, options.Password, options.Hint, options.Algorithm);
  if (text != kEncryptSuccess) return failure(text);
  if (!options.WipeSource) return {text, false, {}};

  // The container is on disk before the source goes; the output never is the source (it did not exist).
  if (engine.Observer) engine.Observer->BeginSourceWipe();
  TRowResult result{text, false, {}};
  try {
    SyncFile(engine.LastOutputName);
    SyncFolderOf(engine.LastOutputName);
    engine.WipeFile(path);
  } catch (...) {
    result = {std::string(kWipeFailed), true, {}};
  }
  if (engine.Observer) engine.Observer->EndSourceWipe();
  return result;
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
  options.Password = ObtainPassword(line, PasswordUse::kEncrypt);

  TFileEngine engine;
  Console console;
  engine.Observer = &console;
  return RunRows(files, kStatusEncrypting, console, [&](const std::string& path) {
    return line.output ? EncryptToOutput(engine, path, *line.output, options)
                       : EncryptRow(engine, path, options);
  });
}

}  // namespace zk::cli
