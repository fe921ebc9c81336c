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

TSecretBytes Ask(TTerminal& terminal, std::string_view prompt) {
  std::optional<TSecretBytes> entry = terminal.ReadHidden(prompt);
  if (!entry) throw EUsageError("no password entered");
  return std::move(*entry);
}

TSecretBytes AskOnTerminal(TPasswordUse use) {
  std::optional<TTerminal> terminal = TTerminal::Open();
  if (!terminal) throw EUsageError("no terminal to ask the password on: give -p PASSWORD or --password-stdin");
  if (use != TPasswordUse::kEncrypt) return Ask(*terminal, kPrompt);

  for (int attempt = 1;; ++attempt) {
    TSecretBytes password = Ask(*terminal, kPrompt);
    if (password.Empty()) return password;  // refused below with its own text
    if (Ask(*terminal, kRepeatPrompt).View() == password.View()) return password;
    if (attempt == kTries) throw EUsageError(std::string(kPasswordMismatch));
    terminal->Write(std::string(kPasswordMismatch) + "\n");
  }
}

}  // namespace

TSecretBytes ObtainPassword(const TCommandLine& line, TPasswordUse use) {
  TSecretBytes password = line.password            ? TSecretBytes(line.password->View())
                          : line.passwordFromStdin ? ReadStandardInputLine()
                                                   : AskOnTerminal(use);
  if (use != TPasswordUse::kEncrypt) return password;
  const std::string_view refusal = PasswordRefusal(password.View(), line.level, true);
  if (!refusal.empty()) throw EUsageError(std::string(refusal));
  return password;
}

}  // namespace zk::cli
