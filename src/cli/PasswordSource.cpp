#include "cli/PasswordSource.h"

#include <optional>
#include <string_view>

#include "cli/Terminal.h"
#include "engine/PasswordRules.h"

namespace zk::cli {
namespace {

constexpr std::string_view kPrompt = "パスワード：";
constexpr std::string_view kRepeatPrompt = "パスワード（再入力）：";
constexpr int kTries = 3;

std::string Ask(Terminal& terminal, std::string_view prompt) {
  std::optional<std::string> entry = terminal.ReadHidden(prompt);
  if (!entry) throw UsageError("no password entered");
  return *entry;
}

std::string AskOnTerminal(PasswordUse use) {
  std::optional<Terminal> terminal = Terminal::Open();
  if (!terminal) throw UsageError("no terminal to ask the password on: give -p PASSWORD or --password-stdin");
  if (use != PasswordUse::kEncrypt) return Ask(*terminal, kPrompt);

  for (int attempt = 1;; ++attempt) {
    std::string password = Ask(*terminal, kPrompt);
    if (password.empty()) return password;  // refused below with its own text
    if (Ask(*terminal, kRepeatPrompt) == password) return password;
    if (attempt == kTries) throw UsageError(std::string(kPasswordMismatch));
    terminal->Write(std::string(kPasswordMismatch) + "\n");
  }
}

}  // namespace

std::string ObtainPassword(const CommandLine& line, PasswordUse use) {
  std::string password = line.password            ? *line.password
                         : line.passwordFromStdin ? ReadStandardInputLine()
                                                  : AskOnTerminal(use);
  if (use != PasswordUse::kEncrypt) return password;
  const std::string_view refusal = PasswordRefusal(password, line.level, true);
  if (!refusal.empty()) throw UsageError(std::string(refusal));
  return password;
}

}  // namespace zk::cli
