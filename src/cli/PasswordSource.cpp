#include "cli/PasswordSource.h"

#include <optional>
#include <string_view>
#include <utility>

#include "cli/Terminal.h"
#include "engine/PasswordRules.h"

namespace zk::cli {
namespace {

constexpr std::string_view kPrompt = "パスワード：";
constexpr std::string_view kRepeatPrompt = "パスワード（再入力）：";
constexpr int kTries = 3;

TSecretBytes Ask(Terminal& terminal, std::string_view prompt) {
  std::optional<TSecretBytes> entry = terminal.ReadHidden(prompt);
  if (!entry) throw UsageError("no password entered");
  return std::move(*entry);
}

TSecretBytes AskOnTerminal(PasswordUse use) {
  std::optional<Terminal> terminal = Terminal::Open();
  if (!terminal) throw UsageError("no terminal to ask the password on: give -p PASSWORD or --password-stdin");
  if (use != PasswordUse::kEncrypt) return Ask(*terminal, kPrompt);

  for (int attempt = 1;; ++attempt) {
    TSecretBytes password = Ask(*terminal, kPrompt);
    if (password.Empty()) return password;  // refused below with its own text
    if (Ask(*terminal, kRepeatPrompt).View() == password.View()) return password;
    if (attempt == kTries) throw UsageError(std::string(kPasswordMismatch));
    terminal->Write(std::string(kPasswordMismatch) + "\n");
  }
}

}  // namespace

TSecretBytes ObtainPassword(const CommandLine& line, PasswordUse use) {
  TSecretBytes password = line.password            ? TSecretBytes(line.password->View())
                          : line.passwordFromStdin ? ReadStandardInputLine()
                                                   : AskOnTerminal(use);
  if (use != PasswordUse::kEncrypt) return password;
  const std::string_view refusal = PasswordRefusal(password.View(), line.level, true);
  if (!refusal.empty()) throw UsageError(std::string(refusal));
  return password;
}

}  // namespace zk::cli
