#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>

#include "platform/FileDate.h"
#include "TempFolder.h"

namespace zk {
namespace {

std::tm Local(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

std::array<int, 6> Fields(const std::tm& t) {
  return {t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

struct PackCase {
  std::tm local;
  uint32_t packed;  // as the 32-bit word
};

TEST(FileDate, PacksAndUnpacks) {
  const PackCase cases[] = {
      {Local(1980, 1, 1, 0, 0, 0), 0x00210000},
      {Local(2107, 12, 31, 23, 59, 58), 0xFF9FBF7D},
      {Local(2024, 2, 29, 12, 34, 56), (44u << 25 | 2u << 21 | 29u << 16) | (12u << 11 | 34u << 5 | 28u)},
  };
  for (const PackCase& c : cases) {
    EXPECT_EQ(static_cast<uint32_t>(PackDosDateTime(c.local)), c.packed);
    std::tm back;
    ASSERT_TRUE(UnpackDosDateTime(static_cast<int32_t>(c.packed), back));
    EXPECT_EQ(Fields(back), Fields(c.local));
  }
}

TEST(FileDate, OddSecondsRoundDown) {
  EXPECT_EQ(PackDosDateTime(Local(2000, 6, 1, 10, 20, 31)), PackDosDateTime(Local(2000, 6, 1, 10, 20, 30)));
  EXPECT_EQ(PackDosDateTime(Local(2107, 12, 31, 23, 59, 59)), static_cast<int32_t>(0xFF9FBF7D));
}

TEST(FileDate, OutOfRangeIsMinusOne) {
  const std::tm cases[] = {
      Local(1979, 12, 31, 23, 59, 58), Local(2108, 1, 1, 0, 0, 0),  Local(2023, 2, 29, 0, 0, 0),
      Local(2000, 13, 1, 0, 0, 0),     Local(2000, 4, 31, 0, 0, 0), Local(2000, 1, 1, 24, 0, 0),
  };
  for (const std::tm& local : cases) EXPECT_EQ(PackDosDateTime(local), kNoFileDate) << std::asctime(&local);

  std::tm ignored;
  EXPECT_FALSE(UnpackDosDateTime(kNoFileDate, ignored));
  EXPECT_FALSE(UnpackDosDateTime(0, ignored));  // month 0, day 0
  EXPECT_FALSE(UnpackDosDateTime(0x00210000 | 60u << 5, ignored));
  EXPECT_FALSE(UnpackDosDateTime(0x00210000 | 24u << 11, ignored));
  EXPECT_FALSE(UnpackDosDateTime(0x00210000 | 30u, ignored));  // 60 seconds
}

TEST(FileDate, AppliesAndReadsBackOnARealFile) {
  test::TempFolder temp;
  const std::string path = temp.WriteFile("f", "x");
  const int32_t packed = PackDosDateTime(Local(2021, 6, 15, 12, 34, 56));
  ASSERT_TRUE(ApplyPackedFileDate(path, packed));
  EXPECT_EQ(PackedFileDate(path), packed);

  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  std::tm local;
  ::localtime_r(&info.st_mtime, &local);
  EXPECT_EQ(local.tm_hour, 12);
  EXPECT_EQ(local.tm_min, 34);
  EXPECT_EQ(local.tm_sec, 56);
  EXPECT_EQ(info.st_atime, info.st_mtime);

  // An odd second on disk reads as the even second before it.
  const struct timespec times[2] = {{info.st_mtime + 1, 0}, {info.st_mtime + 1, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_EQ(PackedFileDate(path), packed);
}

TEST(FileDate, RefusesMissingFilesAndInvalidValues) {
  test::TempFolder temp;
  const std::string path = temp.WriteFile("f", "x");
  EXPECT_FALSE(ApplyPackedFileDate(path, kNoFileDate));
  EXPECT_FALSE(ApplyPackedFileDate(path, 0));
  EXPECT_FALSE(ApplyPackedFileDate(temp.Path("missing"), 0x00210000));
  EXPECT_EQ(PackedFileDate(temp.Path("missing")), kNoFileDate);

  // 1970 lies before the packed range.
  const struct timespec epoch[2] = {{86400, 0}, {86400, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), epoch, 0), 0);
  EXPECT_EQ(PackedFileDate(path), kNoFileDate);
}

}  // namespace
}  // namespace zk
