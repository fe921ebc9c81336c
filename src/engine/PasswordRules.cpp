#include "PasswordRules.h"

#include "platform/CodePage.h"

namespace zk {
namespace {

struct TLevelRule {
  int MinimumBytes;
  std::string_view TooShort;
};

constexpr TLevelRule kLevelRules[] = {
    {1, ""},
    {6, ZK_TRANSLATE_NOOP("CoreTexts",
                          "セキュリティレベルが２に設定されており、このレベルでは６文字以上のパスワードを入力"
                          "する必要があります。"
                          "「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。")},
    {10, ZK_TRANSLATE_NOOP("CoreTexts",
                           "セキュリティレベルが３に設定されており、このレベルでは１０文字以上のパスワードを"
                           "入力する必要があります"
                           "。"
                           "「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。")},
    {20, ZK_TRANSLATE_NOOP("CoreTexts",
                           "セキュリティレベルが４に設定されており、このレベルでは２０文字以上のパスワードを"
                           "入力する必要があります"
                           "。"
                           "「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。")},
};

const TLevelRule* RuleFor(int secLevel) {
  return secLevel >= 1 && secLevel <= 4 ? &kLevelRules[secLevel - 1] : nullptr;
}

}  // namespace

int MinimumPasswordBytes(int secLevel) {
  const TLevelRule* rule = RuleFor(secLevel);
  return rule ? rule->MinimumBytes : 1;
}

bool HintFits(std::string_view hint) { return Cp932Length(hint) <= kMaxHintBytes; }

std::string_view PasswordRefusal(std::string_view password, int secLevel, bool forEncryption) {
  if (password.empty()) return kPasswordEmpty;
  // Levels outside 1 to 4 ask for one byte, which a non-empty password always has.
  if (forEncryption && Cp932Length(password) < static_cast<size_t>(MinimumPasswordBytes(secLevel))) {
    return RuleFor(secLevel)->TooShort;
  }
  return {};
}

}  // namespace zk
