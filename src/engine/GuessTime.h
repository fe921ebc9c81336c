// A time to guess a password, in words: "less than a second", "3 hours", "centuries". Counted in whole
// units, rounded down, the largest unit that the time reaches (a month is a twelfth of a year of 365.25
// days).
#pragma once

#include <string>

#include "engine/ResultTexts.h"
#include "engine/TextTemplate.h"

namespace zk {

enum class TTimeUnit { kUnderSecond, kSeconds, kMinutes, kHours, kDays, kMonths, kYears, kCenturies };

struct TGuessTime {
  TTimeUnit Unit = TTimeUnit::kUnderSecond;
  long Count = 0;  // of the unit; 0 for under a second and for centuries
};

TGuessTime GuessTime(double seconds);

// The words for the time: "1秒未満", "3時間", "何世紀も".
TText GuessTimeText(TGuessTime time);

// Texts of the words; "%1" stands for the count. The count 1 has texts of its own, whose translations
// take the singular.
inline constexpr std::string_view kUnderASecond = ZK_TRANSLATE_NOOP("CoreTexts", "1秒未満");
inline constexpr std::string_view kOneSecond = ZK_TRANSLATE_NOOP("CoreTexts", "1秒");
inline constexpr std::string_view kSeconds = ZK_TRANSLATE_NOOP("CoreTexts", "%1秒");
inline constexpr std::string_view kOneMinute = ZK_TRANSLATE_NOOP("CoreTexts", "1分");
inline constexpr std::string_view kMinutes = ZK_TRANSLATE_NOOP("CoreTexts", "%1分");
inline constexpr std::string_view kOneHour = ZK_TRANSLATE_NOOP("CoreTexts", "1時間");
inline constexpr std::string_view kHours = ZK_TRANSLATE_NOOP("CoreTexts", "%1時間");
inline constexpr std::string_view kOneDay = ZK_TRANSLATE_NOOP("CoreTexts", "1日");
inline constexpr std::string_view kDays = ZK_TRANSLATE_NOOP("CoreTexts", "%1日");
inline constexpr std::string_view kOneMonth = ZK_TRANSLATE_NOOP("CoreTexts", "1か月");
inline constexpr std::string_view kMonths = ZK_TRANSLATE_NOOP("CoreTexts", "%1か月");
inline constexpr std::string_view kOneYear = ZK_TRANSLATE_NOOP("CoreTexts", "1年");
inline constexpr std::string_view kYears = ZK_TRANSLATE_NOOP("CoreTexts", "%1年");
inline constexpr std::string_view kCenturies = ZK_TRANSLATE_NOOP("CoreTexts", "何世紀も");

}  // namespace zk
