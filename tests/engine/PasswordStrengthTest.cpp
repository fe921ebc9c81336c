#include <gtest/gtest.h>

#include <cmath>

#include "engine/PasswordStrength.h"

namespace zk {
namespace {

constexpr double kYear = 365.25 * 24 * 3600;

struct TimeCase {
  double seconds;
  const char* words;
};

// The largest unit the time reaches, counted down; the count 1 has its own words.
const TimeCase kTimeCases[] = {
    {0, "1秒未満"},          {0.99, "1秒未満"},        {1, "1秒"},
    {59.9, "59秒"},          {60, "1分"},              {3 * 3600 + 59, "3時間"},
    {2 * 86400, "2日"},      {kYear / 12 * 5, "5か月"}, {kYear, "1年"},
    {99.9 * kYear, "99年"},  {100 * kYear, "何世紀も"}, {1e30, "何世紀も"},
};

TEST(GuessTime, WordsOfTheLargestUnitReached) {
  for (const TimeCase& c : kTimeCases) EXPECT_EQ(RenderText(GuessTimeText(GuessTime(c.seconds))), c.words) << c.seconds;
}

struct PasswordCase {
  const char* password;
  const char* estimate;  // the words after kStrengthLead
};

// At kGuessesPerSecond. Japanese characters count one symbol each, not one per UTF-8 byte (which would
// put ひみつ, "secret", at 3 years), and the estimate says what it cannot know of them.
const PasswordCase kPasswordCases[] = {
    {"password", "1秒未満"},                       // a common word
    {"qwertyuiop", "1秒未満"},                     // a keyboard walk
    {"Tr0ub4dor&3", "3時間"},                      // a word with substitutions
    {"correct horse battery staple", "何世紀も"},  // a long passphrase
    {"x7#Kq9!mZp2@", "何世紀も"},                  // random characters
    {"ひみつ", "1秒未満（日本語の単語などは辞書にないため、実際はもっと短い場合があります）"},
    {"さくらさくら", "1秒未満（日本語の単語などは辞書にないため、実際はもっと短い場合があります）"},
    {"東京タワー2024", "8分（日本語の単語などは辞書にないため、実際はもっと短い場合があります）"},
};

TEST(PasswordStrength, EstimateOfEachKindOfPassword) {
  for (const PasswordCase& c : kPasswordCases) {
    const TPasswordStrength strength = EstimateStrength(c.password);
    EXPECT_DOUBLE_EQ(strength.Seconds, strength.Guesses / kGuessesPerSecond) << c.password;
    EXPECT_EQ(RenderText(StrengthText(strength)), "推測にかかる時間の目安：" + std::string(c.estimate)) << c.password;
  }
}

// The text is rendered from whole sentences, each translated as one: the estimate, and the time inside it.
TEST(PasswordStrength, TranslatedSentencesMakeTheShownText) {
  const TShownText english = [](std::string_view text) {
    if (text == kStrength) return std::string("Time to guess it: %1");
    if (text == kHours) return std::string("%1 hours");
    return std::string("?");
  };
  EXPECT_EQ(RenderText(StrengthText(EstimateStrength("Tr0ub4dor&3")), english), "Time to guess it: 3 hours");
}

}  // namespace
}  // namespace zk
