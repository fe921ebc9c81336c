#include "engine/GuessTime.h"

#include <array>

namespace zk {
namespace {

constexpr double kMinute = 60, kHour = 60 * kMinute, kDay = 24 * kHour, kYear = 365.25 * kDay,
                 kMonth = kYear / 12, kCentury = 100 * kYear;

struct TUnitWords {
  TTimeUnit Unit;
  double Seconds;  // in one unit
  std::string_view One, Many;
};

// From the largest unit down.
constexpr std::array<TUnitWords, 6> kCountedUnits = {{
    {TTimeUnit::kYears, kYear, kOneYear, kYears},
    {TTimeUnit::kMonths, kMonth, kOneMonth, kMonths},
    {TTimeUnit::kDays, kDay, kOneDay, kDays},
    {TTimeUnit::kHours, kHour, kOneHour, kHours},
    {TTimeUnit::kMinutes, kMinute, kOneMinute, kMinutes},
    {TTimeUnit::kSeconds, 1, kOneSecond, kSeconds},
}};

}  // namespace

TGuessTime GuessTime(double seconds) {
  if (seconds >= kCentury) return {TTimeUnit::kCenturies, 0};
  for (const TUnitWords& unit : kCountedUnits)
    if (seconds >= unit.Seconds) return {unit.Unit, static_cast<long>(seconds / unit.Seconds)};
  return {TTimeUnit::kUnderSecond, 0};
}

TText GuessTimeText(TGuessTime time) {
  if (time.Unit == TTimeUnit::kUnderSecond) return Sentence(kUnderASecond);
  if (time.Unit == TTimeUnit::kCenturies) return Sentence(kCenturies);
  for (const TUnitWords& unit : kCountedUnits) {
    if (unit.Unit != time.Unit) continue;
    if (time.Count == 1) return Sentence(unit.One);
    return Sentence(unit.Many, {std::to_string(time.Count)});
  }
  return {};
}

}  // namespace zk
