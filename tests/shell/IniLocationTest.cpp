#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempFolder.h"
#include "shell/IniLocation.h"
#include "shell/IniUnit.h"
#include "shell/Settings.h"

namespace zk {
namespace {

TEST(IniFolder, BesideAPortableProgramElseInTheUsersConfigurationFolder) {
  struct Case {
    const char* what;
    TIniSurroundings surroundings;
    const char* expected;
  } cases[] = {
      {"unpacked, writable",
       {"/home/u/zk/", true, "/usr/local/bin", "/home/u/.cfg", "/home/u"},
       "/home/u/zk/"},
      {"read-only folder",
       {"/opt/zk/bin/", false, "/usr/local/bin", "/home/u/.cfg", "/home/u"},
       "/home/u/.cfg/zk/"},
      {"XDG_CONFIG_HOME with a final slash",
       {"/opt/zk/", false, "", "/home/u/.cfg/", "/home/u"},
       "/home/u/.cfg/zk/"},
      {"XDG_CONFIG_HOME unset", {"/usr/bin/", false, "/usr/bin", "", "/home/u"}, "/home/u/.config/zk/"},
      {"XDG_CONFIG_HOME relative, ignored",
       {"/usr/bin/", false, "/usr/bin", "cfg", "/home/u"},
       "/home/u/.config/zk/"},
      {"root in the install bin folder", {"/usr/bin/", true, "/usr/bin", "", "/root"}, "/root/.config/zk/"},
      {"install bin folder given with its slash",
       {"/usr/bin/", true, "/usr/bin/", "", "/root"},
       "/root/.config/zk/"},
      {"another bin folder, writable", {"/usr/local/bin/", true, "/usr/bin", "", "/root"}, "/usr/local/bin/"},
      {"no install bin folder", {"/usr/bin/", true, "", "", "/root"}, "/usr/bin/"},
      {"installed under another prefix, writable (a user-local install)",
       {"/home/u/.local/bin/", true, "/usr/local/bin", "", "/home/u", true},
       "/home/u/.config/zk/"},
      {"no home known", {"/usr/bin/", false, "/usr/bin", "", ""}, "/usr/bin/"},
  };
  for (const Case& c : cases) EXPECT_EQ(IniFolder(c.surroundings), c.expected) << c.what;
}

TEST(IniPath, BareNamesFollowTheRuleAndPathsStandAsGiven) {
  const TIniSurroundings current = CurrentIniSurroundings();
  EXPECT_EQ(IniPath("ZK.ini"), IniFolder(current) + "ZK.ini");
  // A test program in a writable build tree is an unpacked program, not an installed one.
  if (current.executableFolderWritable) {
    EXPECT_EQ(IniFolder(current), current.executableFolder);
  }
  EXPECT_EQ(IniPath("/etc/zk/ZK.ini"), "/etc/zk/ZK.ini");
  EXPECT_EQ(IniPath("./ZK.ini"), "./ZK.ini");
}

mode_t ModeOf(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(IniUnitFolder, TheFirstWriteMakesTheFolderAndNoReadDoes) {
  test::TempFolder temp;
  const std::string ini = temp.Path("config/zk/ZK.ini");

  EXPECT_EQ(ReadSetting(settings::kSecLevel, ini), 2);
  EXPECT_EQ(ReadSetting(settings::kPassHint, ini), "");
  EXPECT_TRUE(temp.Listing().empty());

  WriteSetting(settings::kSecLevel, 3, ini);
  EXPECT_EQ(ReadSetting(settings::kSecLevel, ini), 3);
  EXPECT_EQ(ModeOf(temp.Path("config")), 0700u);
  EXPECT_EQ(ModeOf(temp.Path("config/zk")), 0700u);
}

}  // namespace
}  // namespace zk
