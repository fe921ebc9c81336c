// How long a password would hold against someone who has a container and guesses offline. The container's
// key is the password's SHA-1 digest, without salt and without iterations, so each guess costs one SHA-1
// (and the cipher's key schedule to test it against the check block): the password alone protects the
// container. The number of guesses comes from zxcvbn (libzxcvbn, the estimator KeePassXC uses).
#pragma once

#include <string>
#include <string_view>

#include "engine/GuessTime.h"
#include "engine/ResultTexts.h"
#include "engine/TextTemplate.h"

namespace zk {

// The guessing rate assumed: one current graphics card. The hashcat 6.2.6 benchmark of an RTX 4090 that
// Sam Croley (Chick3nman) published in October 2022 does about 5 * 10^10 SHA-1 per second (mode 100); a
// guess here also needs a key schedule and a block decryption, so we take 10^10 guesses per second.
inline constexpr double kGuessesPerSecond = 1e10;

// Below this a password counts as weak: zk shows the estimate in the warning colour.
inline constexpr double kWeakBelowSeconds = 60 * 60;
// Below this zkcli warns on standard error before it encrypts.
inline constexpr double kCliWarnBelowSeconds = 24 * 60 * 60;

struct TPasswordStrength {
  double Guesses = 1;  // zxcvbn's estimate of the guesses needed
  double Seconds = 0;  // Guesses at kGuessesPerSecond
  // Characters beyond ASCII (Japanese, say): zxcvbn's dictionaries are English and know no word made of
  // them, so the estimate can be far too long.
  bool BeyondAscii = false;
};

// The estimate for a UTF-8 password. zxcvbn counts a character beyond ASCII as one symbol out of 100,
// about the kana of both syllabaries (a kanji would be one of thousands); it is given one byte per
// character, never the three UTF-8 bytes of a kana, which would count every kana as three symbols.
TPasswordStrength EstimateStrength(std::string_view password);

// "推測にかかる時間の目安：3時間", with the note on characters beyond ASCII when there are any.
TText StrengthText(const TPasswordStrength& strength);

// %1 the time to guess (GuessTimeText).
inline constexpr std::string_view kStrength = ZK_TRANSLATE_NOOP("CoreTexts", "推測にかかる時間の目安：%1");
inline constexpr std::string_view kStrengthBeyondAscii = ZK_TRANSLATE_NOOP(
    "CoreTexts",
    "推測にかかる時間の目安：%1（日本語の単語などは辞書にないため、実際はもっと短い場合があります）");
// zkcli's warning before it encrypts with a password that falls in under a day, %1 the StrengthText.
inline constexpr std::string_view kWeakPasswordWarning =
    ZK_TRANSLATE_NOOP("CoreTexts", "このパスワードは１日以内に推測される恐れがあります。%1");

}  // namespace zk
