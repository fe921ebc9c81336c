#include "cli/PasswordSource.h"

#include <optional>
#include <string_view>

#include "cli/Terminal.h"
#include "platform/CodePage.h"

namespace zk::cli {
namespace {

constexpr std::string_view kPrompt = "パスワード：";
constexpr std::string_view kRepeatPrompt = "パスワード（再入力）：";
constexpr int kTries = 3;

constexpr std::string_view kMismatch =
    "入力されたパスワードが再入力されたパスワードと一致しません。再度入力してください。";
constexpr std::string_view kEmpty = "パスワードが入力されていません。";
// Indexed by security level; level 1 needs only a non-empty password.
constexpr std::string_view kTooShort[] = {
    "",
    "",
    "セキュリティレベルが２に設定されており、このレベルでは６文字以上のパスワードを入力する必要があります。"
    "「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。",
    "セキュリティレベルが３に設定されており、このレベルでは１０文字以上のパスワードを入力する必要があります。"
    "「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。",
    "セキュリティレベルが４に設定されており、このレベルでは２０文字以上のパスワードを入力する必要があります。"
    "「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。",
};

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
    if (attempt == kTries) throw UsageError(std::string(kMismatch));
    terminal->Write(std::string(kMismatch) + "\n");
  }
}

}  // namespace

int MinimumPasswordLength(int level) {
  constexpr int kLengths[] = {1, 1, 6, 10, 20};
  return level >= 1 && level <= 4 ? kLengths[level] : 1;
}

std::string ObtainPassword(const CommandLine& line, PasswordUse use) {
  std::string password = line.password            ? *line.password
                         : line.passwordFromStdin ? ReadStandardInputLine()
                                                  : AskOnTerminal(use);
  if (use != PasswordUse::kEncrypt) return password;
  if (password.empty()) throw UsageError(std::string(kEmpty));
  if (Cp932Length(password) < static_cast<size_t>(MinimumPasswordLength(line.level)))
    throw UsageError(std::string(kTooShort[line.level]));
  return password;
}

}  // namespace zk::cli
