#include "app/CommandLine.h"

#include <optional>
#include <string>
#include <string_view>

#include "app/MainForm.h"
#include "app/Windows.h"
#include "dialogs/ConfirmationDlg.h"
#include "engine/Batch.h"
#include "engine/FileEngine.h"
#include "platform/Paths.h"
#include "shell/PathIntake.h"
#include "ui/SecretText.h"

namespace zk {
namespace {

enum class TSwitch { kEncrypt, kDecrypt, kWipe, kForce, kExitAfterRun, kPassword, kHint, kOutput };

std::string_view TrimBlanks(std::string_view word) {
  while (!word.empty() && static_cast<unsigned char>(word.front()) <= ' ') word.remove_prefix(1);
  while (!word.empty() && static_cast<unsigned char>(word.back()) <= ' ') word.remove_suffix(1);
  return word;
}

std::optional<TSwitch> SwitchOf(std::string_view word) {
  static constexpr std::pair<std::string_view, TSwitch> kSwitches[] = {
      {"-E", TSwitch::kEncrypt}, {"-D", TSwitch::kDecrypt},      {"-W", TSwitch::kWipe},
      {"-F", TSwitch::kForce},   {"-I", TSwitch::kExitAfterRun}, {"-P", TSwitch::kPassword},
      {"-H", TSwitch::kHint},    {"-A", TSwitch::kOutput},
  };
  const std::string upper = UpperAscii(TrimBlanks(word));
  for (const auto& [text, value] : kSwitches)
    if (upper == text) return value;
  return std::nullopt;
}

// Paths count from the folder the program was started in, not from the program's folder it moved to.
std::string Resolved(std::string_view path, const std::string& startFolder) {
  if (path.empty() || path.front() == '/') return std::string(path);
  std::string resolved = startFolder;
  if (!resolved.empty() && resolved.back() != '/') resolved += '/';
  return resolved.append(path);
}

// What the words ask for: the batch of the paths named, each added under the mode in force at its place
// (a container named before -D shows no hint), and what the run is to do.
struct TCommandLineRequest {
  TBatch Batch;
  TRunRequest Run;
  std::optional<std::string> Hint;
  std::string DirectOutput;  // -A: one file straight to this output, without the list
};

TCommandLineRequest ParseCommandLine(const std::vector<std::string>& words, const std::string& startFolder,
                                     TFindFile& findFile, TFileEngine& engine) {
  TCommandLineRequest request;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::optional<TSwitch> option = SwitchOf(words[i]);
    if (!option) {
      request.Batch.AddShowingHints(CollectFiles(findFile, {Resolved(words[i], startFolder)}), engine);
      continue;
    }
    // The value switches take the next word whatever it says; the last word gives an empty value.
    auto value = [&] { return ++i < words.size() ? std::string(TrimBlanks(words[i])) : std::string(); };
    switch (*option) {
      case TSwitch::kEncrypt:
        request.Batch.SetMode(TBatchMode::kEncrypt);
        break;
      case TSwitch::kDecrypt:
        request.Batch.SetMode(TBatchMode::kDecrypt);
        break;
      case TSwitch::kWipe:
        request.Batch.SetMode(TBatchMode::kWipe);
        break;
      case TSwitch::kForce:
        request.Run.AutoRun = true;
        break;
      case TSwitch::kExitAfterRun:
        request.Run.ExitAfterRun = true;
        break;
      case TSwitch::kPassword:
        request.Run.Password = value();
        break;
      case TSwitch::kHint:
        request.Hint = value();
        break;
      case TSwitch::kOutput:
        request.DirectOutput = Resolved(value(), startFolder);
        break;
    }
  }
  // Without a password only a wipe can run by itself.
  if (request.Batch.Mode() != TBatchMode::kWipe && request.Run.Password.empty()) request.Run.AutoRun = false;
  return request;
}

// One file straight to the given output, without the list; its result is not shown.
void RunDirectForm(const TCommandLineRequest& request, TFileEngine& engine, const TSettings& settings) {
  if (request.Batch.Count() != 1) return;
  const std::string& file = request.Batch.Rows()[0].Path;
  if (request.Batch.Mode() == TBatchMode::kEncrypt) {
    engine.EncryptFile(file, request.DirectOutput, request.Run.Password, settings.PassHint,
                       settings.Algorithm);
  } else if (request.Batch.Mode() == TBatchMode::kDecrypt) {
    engine.ExplicitOutputName = request.DirectOutput;
    engine.DecryptFile(file, request.Run.Password);
    engine.ExplicitOutputName.clear();
  }
}

}  // namespace

void ProcessCommandLine(TWindows& windows) {
  TMainForm& main = windows.MainForm();
  TConfirmationDlg& list = windows.ConfirmationDlg();
  TCommandLineRequest request =
      ParseCommandLine(windows.State.CommandLine, windows.State.StartFolder, main.FindFile, list.Engine());
  if (request.Hint) windows.Settings.PassHint = *request.Hint;

  if (!request.DirectOutput.empty()) {
    RunDirectForm(request, list.Engine(), windows.Settings);
    TSecretText::Erase(request.Run.Password);
    // The direct form ends the program here: the list it used is never run a second time.
    main.close();
    return;
  }
  const TBatchMode mode = request.Batch.Mode();
  list.SetRunRequest(request.Run);
  if (!request.Batch.Empty()) {
    list.Start(std::move(request.Batch), main);
  } else if (mode == TBatchMode::kEncrypt) {
    main.EncBitBtnClick();
  } else if (mode == TBatchMode::kDecrypt) {
    main.DecBitBtnClick();
  } else {
    main.OptionBitBtnClick();
  }
}

std::optional<THandOver> HandOverOf(const std::vector<std::string>& words, const std::string& startFolder) {
  THandOver handOver;
  for (const std::string& word : words) {
    const std::optional<TSwitch> option = SwitchOf(word);
    if (!option) {
      handOver.Paths.push_back(Resolved(word, startFolder));
    } else if (*option == TSwitch::kEncrypt) {
      handOver.Mode = TBatchMode::kEncrypt;
    } else if (*option == TSwitch::kDecrypt) {
      handOver.Mode = TBatchMode::kDecrypt;
    } else if (*option == TSwitch::kWipe) {
      handOver.Mode = TBatchMode::kWipe;
    } else {
      return std::nullopt;
    }
  }
  if (handOver.Paths.empty()) return std::nullopt;
  return handOver;
}

}  // namespace zk
