#include "app/CommandLine.h"

#include <optional>
#include <string>
#include <string_view>

#include "app/MainForm.h"
#include "app/Windows.h"
#include "dialogs/ConfirmationDlg.h"
#include "engine/FileEngine.h"
#include "platform/Paths.h"
#include "shell/PathIntake.h"

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

// One file straight to the given output, without the list; its result is not shown.
void RunDirectForm(TWindows& windows, const std::string& output) {
  TConfirmationDlg& list = windows.ConfirmationDlg();
  if (list.FileCount() != 1) return;
  TFileEngine& engine = list.Engine();
  const std::string file = list.FilePath(0);
  if (list.Mode == TBatchMode::kEncrypt) {
    engine.EncryptFile(file, output, list.Password.Text(), windows.Settings.PassHint,
                       windows.Settings.Algorithm);
  } else if (list.Mode == TBatchMode::kDecrypt) {
    engine.ExplicitOutputName = output;
    engine.DecryptFile(file, list.Password.Text());
    engine.ExplicitOutputName.clear();
  }
}

}  // namespace

void ProcessCommandLine(TWindows& windows) {
  TMainForm& main = windows.MainForm();
  TConfirmationDlg& list = windows.ConfirmationDlg();
  const std::vector<std::string>& words = windows.State.CommandLine;
  const std::string& startFolder = windows.State.StartFolder;
  std::string output;

  list.Mode = TBatchMode::kEncrypt;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::optional<TSwitch> option = SwitchOf(words[i]);
    if (!option) {
      // Added under the mode in force now: a container listed before -D shows no hint.
      for (const std::string& file : CollectFiles(main.FindFile, {Resolved(words[i], startFolder)}))
        list.AddFile(file);
      continue;
    }
    // The value switches take the next word whatever it says; the last word gives an empty value.
    auto value = [&] { return ++i < words.size() ? std::string(TrimBlanks(words[i])) : std::string(); };
    switch (*option) {
      case TSwitch::kEncrypt:
        list.Mode = TBatchMode::kEncrypt;
        break;
      case TSwitch::kDecrypt:
        list.Mode = TBatchMode::kDecrypt;
        break;
      case TSwitch::kWipe:
        list.Mode = TBatchMode::kWipe;
        break;
      case TSwitch::kForce:
        list.AutoRun = true;
        break;
      case TSwitch::kExitAfterRun:
        list.ExitAfterRun = true;
        break;
      case TSwitch::kPassword:
        list.Password.Assign(value());
        break;
      case TSwitch::kHint:
        windows.Settings.PassHint = value();
        break;
      case TSwitch::kOutput:
        output = value();
        break;
    }
  }
  // Without a password only a wipe can run by itself.
  if (list.Mode != TBatchMode::kWipe && list.Password.empty()) list.AutoRun = false;

  if (!output.empty()) {
    RunDirectForm(windows, Resolved(output, startFolder));
    // The direct form ends the program here: the list it used is never run a second time.
    main.close();
    return;
  }
  if (list.FileCount() > 0) {
    list.ShowFor(main);
  } else if (list.Mode == TBatchMode::kEncrypt) {
    main.EncBitBtnClick();
  } else if (list.Mode == TBatchMode::kDecrypt) {
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
