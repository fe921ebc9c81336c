#include <gtest/gtest.h>

#include "shell/UriList.h"

namespace zk {
namespace {

TEST(UriList, LocalPathsAsBytes) {
  struct Case {
    std::string list;
    std::vector<std::string> paths;
  } cases[] = {
      {"file:///home/u/a.txt\r\nfile:///home/u/b%20c\r\n", {"/home/u/a.txt", "/home/u/b c"}},
      {"file:///%E6%BC%A2.txt\nfile:///%83%81%83%82", {"/漢.txt", "/\x83\x81\x83\x82"}},  // last line unended
      {"# a comment\r\n\r\nFILE://localhost/x\r\nfile:/y\r\n", {"/x", "/y"}},
      {"file:///a%2\r\nfile:///b%zz%\r\n", {"/a%2", "/b%zz%"}},  // a lone "%" stays
      {"file:///q?query#fragment\r\nfile:///%23name\r\n", {"/q", "/#name"}},
      {"http://host/x\r\nfile://otherhost/x\r\nfile://localhost\r\nfile:relative\r\nfile:\r\n", {}},
      {"file:///cut%00/etc/passwd\r\n", {}},  // a zero byte would name another file
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(LocalPathsOfUriList(c.list), c.paths) << c.list;
}

}  // namespace
}  // namespace zk
