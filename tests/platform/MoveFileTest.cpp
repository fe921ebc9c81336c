#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "TempFolder.h"
#include "platform/FileInfo.h"
#include "platform/MoveFile.h"

namespace zk {
namespace {

TEST(MoveWithoutReplacing, NeverReplaces) {
  test::TempFolder folder;
  const std::string from = folder.WriteFile("from", "moving");
  const std::string to = folder.WriteFile("to", "standing");
  EXPECT_FALSE(MoveWithoutReplacing(from, to));
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(test::TempFolder::ReadFile(to), "standing");
  EXPECT_EQ(test::TempFolder::ReadFile(from), "moving");
  ASSERT_EQ(::unlink(to.c_str()), 0);
  EXPECT_TRUE(MoveWithoutReplacing(from, to));
  EXPECT_EQ(test::TempFolder::ReadFile(to), "moving");
  EXPECT_FALSE(FileExists(from));
}

}  // namespace
}  // namespace zk
