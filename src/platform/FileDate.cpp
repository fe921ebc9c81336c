#include "platform/FileDate.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace zk {

namespace {

constexpr int kFirstYear = 1980;
constexpr int kLastYear = 2107;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {  // month 1..12
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

int32_t PackDosDateTime(const std::tm& local) {
  const int year = local.tm_year + 1900;
  const int month = local.tm_mon + 1;
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return kNoFileDate;
  if (local.tm_mday < 1 || local.tm_mday > DaysInMonth(year, month)) return kNoFileDate;
  // A leap second (60) is kept as 59 and then rounds down like any odd second.
  if (local.tm_hour < 0 || local.tm_hour > 23 || local.tm_min < 0 || local.tm_min > 59 || local.tm_sec < 0 ||
      local.tm_sec > 60)
    return kNoFileDate;
  const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
  const uint32_t date = (uint32_t(year - kFirstYear) << 9) | (uint32_t(month) << 5) | uint32_t(local.tm_mday);
  const uint32_t time =
      (uint32_t(local.tm_hour) << 11) | (uint32_t(local.tm_min) << 5) | uint32_t(second / 2);
  return static_cast<int32_t>((date << 16) | time);
}

bool UnpackDosDateTime(int32_t packed, std::tm& local) {
  if (packed == kNoFileDate) return false;
  const uint32_t value = static_cast<uint32_t>(packed);
  const uint32_t date = value >> 16;
  const uint32_t time = value & 0xFFFF;
  const int year = kFirstYear + int(date >> 9);
  const int month = int((date >> 5) & 15);
  const int day = int(date & 31);
  const int hour = int(time >> 11);
  const int minute = int((time >> 5) & 63);
  const int second = int(time & 31) * 2;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 ||
      second > 59)
    return false;
  local = std::tm{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return true;
}

int32_t PackedFileDate(time_t modified) {
  std::tm local;
  if (::localtime_r(&modified, &local) == nullptr) return kNoFileDate;
  return PackDosDateTime(local);
}

int32_t PackedFileDate(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return kNoFileDate;
  return PackedFileDate(info.st_mtime);
}

namespace {

// Access and modification time both at the packed date; false when it is -1 or invalid.
bool UnpackedTimes(int32_t packed, struct timespec (&times)[2]) {
  std::tm local;
  if (!UnpackDosDateTime(packed, local)) return false;
  const time_t seconds = ::mktime(&local);
  if (seconds == static_cast<time_t>(-1)) return false;
  times[0] = times[1] = {seconds, 0};
  return true;
}

}  // namespace

bool ApplyPackedFileDate(const std::string& path, int32_t packed) {
  struct timespec times[2];
  return UnpackedTimes(packed, times) && ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

bool ApplyPackedFileDate(int fd, int32_t packed) {
  struct timespec times[2];
  return UnpackedTimes(packed, times) && ::futimens(fd, times) == 0;
}

}  // namespace zk
