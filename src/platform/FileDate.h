// MS-DOS packed local date/time: date in the high 16 bits, time in the low 16, seconds in 2-second steps.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace zk {

inline constexpr int32_t kNoFileDate = -1;

// -1 when the date is outside 1980..2107 or the fields are out of range. Odd seconds round down.
int32_t PackDosDateTime(const std::tm& local);
// False when the value is -1 or does not describe a valid date/time.
bool UnpackDosDateTime(int32_t packed, std::tm& local);

// The file's modification time in local time, packed; -1 if unknown or out of range.
int32_t PackedFileDate(const std::string& path);
int32_t PackedFileDate(time_t modified);
// Sets modification and access time; false when the file does not exist or the value is -1/invalid.
bool ApplyPackedFileDate(const std::string& path, int32_t packed);
bool ApplyPackedFileDate(int fd, int32_t packed);

}  // namespace zk
