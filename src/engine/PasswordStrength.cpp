#include "engine/PasswordStrength.h"

#include <zxcvbn.h>

#include <cmath>

#include "platform/SecretBytes.h"

namespace zk {
namespace {

// The password as zxcvbn reads it: ASCII as it is, and each other character (a UTF-8 sequence, or a byte
// that begins none) as one byte from 0x80 up, taken from the low bits of its code point: two characters
// that share them look like a repeat, which can only lower the estimate. NUL-terminated, in locked memory
// like every copy of a password.
TSecretBytes ZxcvbnSymbols(std::string_view password, bool& beyondAscii) {
  TSecretBytes symbols;
  beyondAscii = false;
  for (size_t at = 0; at < password.size();) {
    const auto lead = static_cast<unsigned char>(password[at]);
    if (lead < 0x80) {
      symbols.Append(password.substr(at++, 1));
      continue;
    }
    beyondAscii = true;
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    unsigned codePoint = lead;
    size_t taken = 1;
    for (; taken < length && at + taken < password.size(); ++taken) {
      const auto next = static_cast<unsigned char>(password[at + taken]);
      if ((next & 0xC0) != 0x80) break;
      codePoint = codePoint << 6 | (next & 0x3F);
    }
    const char symbol = static_cast<char>(0x80 | (codePoint & 0x7F));
    symbols.Append({&symbol, 1});
    at += taken;
  }
  symbols.Append({"", 1});
  return symbols;
}

}  // namespace

TPasswordStrength EstimateStrength(std::string_view password) {
  TPasswordStrength strength;
  const TSecretBytes symbols = ZxcvbnSymbols(password, strength.BeyondAscii);
  const double bits = ZxcvbnMatch(symbols.View().data(), nullptr, nullptr);
  strength.Guesses = std::exp2(bits);
  strength.Seconds = strength.Guesses / kGuessesPerSecond;
  return strength;
}

TText StrengthText(const TPasswordStrength& strength) {
  return Composed(strength.BeyondAscii ? kStrengthBeyondAscii : kStrength,
                  {GuessTimeText(GuessTime(strength.Seconds))});
}

}  // namespace zk
