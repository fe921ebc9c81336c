#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "TempFolder.h"
#include "shell/IniUnit.h"
#include "shell/Settings.h"

namespace zk {
namespace {

class IniUnitTest : public ::testing::Test {
 protected:
  std::string WriteIni(const std::string& content) { return temp_.WriteFile("ZK.ini", content); }
  std::string Content() const { return test::TempFolder::ReadFile(ini_); }

  test::TempFolder temp_;
  const std::string ini_ = temp_.Path("ZK.ini");
};

TEST_F(IniUnitTest, ReadsIntegers) {
  struct Case {
    const char* line;
    int32_t expected;
  } cases[] = {
      {"SECLEVEL=3", 3},
      {"SECLEVEL=0x3", 3},
      {"SECLEVEL=0X1f", 31},
      {"SECLEVEL=abc", 2},
      {"SECLEVEL=", 2},
      {"SECLEVEL=  ", 2},
      {"SECLEVEL = -4 ", -4},
      {"SECLEVEL=+8", 8},
      {"SECLEVEL=\"5\"", 5},
      {"SECLEVEL=0x", 2},
      {"SECLEVEL=0", 0},
      {"SECLEVEL=12abc", 2},
      {"SECLEVEL=0x1g", 2},
      {"SECLEVEL=+-1", 2},
      {"SECLEVEL=99999999999", 2},
      {"SECLEVEL=0xFFFFFFFF", -1},
      {"SECLEVEL=0x100000000", 2},
      {"seclevel=7", 7},
  };
  for (const Case& c : cases) {
    WriteIni(std::string("[SYSTEM]\n") + c.line + "\n");
    EXPECT_EQ(ReadSetting(settings::kSecLevel, ini_), c.expected) << c.line;
  }
}

TEST_F(IniUnitTest, ReadsBooleansAsIntegers) {
  WriteIni("[SYSTEM]\nMAINTOP=5\nTOPWIPE=yes\nSAVEHINT=0\nREENC=-1\n");
  EXPECT_TRUE(ReadSetting(settings::kMainTop, ini_));
  EXPECT_FALSE(ReadSetting(settings::kTopWipe, ini_));   // not a number: default false
  EXPECT_FALSE(ReadSetting(settings::kSaveHint, ini_));  // default true, stored 0
  EXPECT_TRUE(ReadSetting(settings::kReEnc, ini_));
  EXPECT_TRUE(ReadIniBool(ini_, "SYSTEM", "TOPWIPE", true));
}

TEST_F(IniUnitTest, ReadsStrings) {
  struct Case {
    const char* line;
    const char* expected;
  } cases[] = {
      {"PASSHINT=plain", "plain"},
      {"PASSHINT=  blanks around \t", "blanks around"},
      {"PASSHINT=\"  kept  \"", "  kept  "},
      {"PASSHINT='single'", "single"},
      {"PASSHINT=\"\"x\"\"", "\"x\""},  // one pair only
      {"PASSHINT=\"open'", "\"open'"},
      {"PASSHINT=\"", "\""},
      {"PASSHINT=a=b=c", "a=b=c"},
      {"PASSHINT=", ""},  // present but empty: the empty text, not the default
      {"PASSHINT=ヒント", "ヒント"},
      {"passhint=lower", "lower"},
  };
  for (const Case& c : cases) {
    WriteIni(std::string("[system]\n") + c.line + "\n");
    EXPECT_EQ(ReadIniString(ini_, "SYSTEM", "PASSHINT", "default"), c.expected) << c.line;
  }
}

TEST_F(IniUnitTest, ByteOrderMarkIsKeptAndIgnored) {
  WriteIni("\xEF\xBB\xBF[SYSTEM]\nSECLEVEL=3\n");
  EXPECT_EQ(ReadSetting(settings::kSecLevel, ini_), 3);
  WriteSetting(settings::kSecLevel, 4, ini_);
  EXPECT_EQ(Content(), "\xEF\xBB\xBF[SYSTEM]\nSECLEVEL=4\n");
}

TEST_F(IniUnitTest, LongValuesAreCutTo2047Bytes) {
  WriteIni("[SYSTEM]\nPASSHINT=" + std::string(3000, 'x') + "\n");
  EXPECT_EQ(ReadSetting(settings::kPassHint, ini_), std::string(kIniValueLimit, 'x'));
}

TEST_F(IniUnitTest, FindsKeysOnlyInTheirSection) {
  WriteIni(
      "; comment\r\n[WINDOWPOS]\r\nSECLEVEL=4\r\nX=7\r\n[ SYSTEM ]\r\n;SECLEVEL=1\r\n  SECLEVEL = 3\r\n"
      "[SYSTEM]\r\nSECLEVEL=1\r\n");
  EXPECT_EQ(ReadSetting(settings::kSecLevel, ini_), 3);  // first SYSTEM section, the comment not a key
  EXPECT_EQ(ReadSetting(settings::kX, ini_), 7);
  EXPECT_EQ(ReadSetting(settings::kY, ini_), 100);
}

TEST_F(IniUnitTest, MissingFileGivesEveryDefault) {
  EXPECT_EQ(ReadSetting(settings::kX, ini_), 100);
  EXPECT_EQ(ReadSetting(settings::kSecLevel, ini_), 2);
  EXPECT_EQ(ReadSetting(settings::kProcessMsgIntv, ini_), 30);
  EXPECT_EQ(ReadSetting(settings::kAlgorithm, ini_), 0);
  EXPECT_TRUE(ReadSetting(settings::kDbChk, ini_));
  EXPECT_FALSE(ReadSetting(settings::kMainTop, ini_));
  EXPECT_EQ(ReadSetting(settings::kOwnExtStr, ini_), ".bmp");
  EXPECT_EQ(ReadSetting(settings::kPassHash, ini_), "");
  EXPECT_FALSE(std::filesystem::exists(ini_));  // reading never creates it
  // A folder in the file's place reads like a missing file.
  EXPECT_EQ(ReadSetting(settings::kSecLevel, temp_.MakeFolder("folder.ini")), 2);
}

TEST_F(IniUnitTest, WriteCreatesFileSectionAndKey) {
  WriteSetting(settings::kSecLevel, 3, ini_);
  EXPECT_EQ(Content(), "[SYSTEM]\nSECLEVEL=3\n");
  WriteSetting(settings::kX, -20, ini_);
  WriteSetting(settings::kMainTop, true, ini_);
  WriteSetting(settings::kOwnExtStr, ".jpg", ini_);
  EXPECT_EQ(Content(), "[SYSTEM]\nSECLEVEL=3\nMAINTOP=1\nOWN_EXT_STR=.jpg\n[WINDOWPOS]\nX=-20\n");
  EXPECT_EQ(ReadSetting(settings::kX, ini_), -20);
  EXPECT_EQ(ReadSetting(settings::kOwnExtStr, ini_), ".jpg");
}

TEST_F(IniUnitTest, WriteReplacesInPlaceAndKeepsEveryOtherByte) {
  const std::string before =
      "\xEF\xBB\xBF; my settings\r\n"
      "[system]\r\n"
      "UNKNOWN=keep me\r\n"
      "  seclevel = 1   \r\n"
      "\r\n"
      "[WINDOWPOS]\r\n"
      "X=5\r\n"
      "# trailing comment";
  WriteIni(before);
  WriteSetting(settings::kSecLevel, 4, ini_);
  WriteSetting(settings::kWipeSource, false, ini_);  // new key: after the section's last line
  WriteSetting(settings::kY, 9, ini_);               // new key in a section that ends the file unterminated
  EXPECT_EQ(Content(),
            "\xEF\xBB\xBF; my settings\r\n"
            "[system]\r\n"
            "UNKNOWN=keep me\r\n"
            "SECLEVEL=4\r\n"
            "WIPESOURCE=0\r\n"
            "\r\n"
            "[WINDOWPOS]\r\n"
            "X=5\r\n"
            "# trailing comment\r\n"
            "Y=9");
  EXPECT_EQ(ReadSetting(settings::kY, ini_), 9);
  EXPECT_EQ(ReadSetting(settings::kSecLevel, ini_), 4);
}

TEST_F(IniUnitTest, StringsReadBackAsWritten) {
  for (const char* value : {"", "plain", "  blanks  ", "\"quoted\"", "'single'", "ヒント 漢字", "a=b"}) {
    WriteSetting(settings::kPassHint, value, ini_);
    EXPECT_EQ(ReadSetting(settings::kPassHint, ini_), value) << value;
  }
  // A line break would end the line and smuggle in another key.
  WriteSetting(settings::kPassHint, "one\nSECLEVEL=4\r\ntwo", ini_);
  EXPECT_EQ(ReadSetting(settings::kSecLevel, ini_), 2);
  EXPECT_EQ(ReadSetting(settings::kPassHint, ini_), "one SECLEVEL=4  two");
}

TEST_F(IniUnitTest, WriteLeavesNoTemporaryAndKeepsModeAndLinks) {
  WriteIni("[SYSTEM]\n");
  ::chmod(ini_.c_str(), 0640);
  const std::string link = temp_.MakeLink("link.ini", ini_);
  WriteSetting(settings::kSecLevel, 3, link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Content(), "[SYSTEM]\nSECLEVEL=3\n");
  struct stat info;
  ASSERT_EQ(::stat(ini_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(temp_.Path())) entries += !entry.is_symlink();
  EXPECT_EQ(entries, 1);
}

TEST_F(IniUnitTest, ANewFileIsPrivateAndARewriteKeepsItsMode) {
  const struct Case {
    const char* name;
    mode_t umask;
    std::optional<mode_t> existingMode;
    mode_t expected;
  } cases[] = {
      {"new, private umask", 077, std::nullopt, 0600},
      {"new, open umask", 0, std::nullopt, 0600},
      {"existing, private umask", 077, 0644, 0644},
      {"existing, open umask", 0, 0600, 0600},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(ini_);
    if (c.existingMode) {
      WriteIni("[SYSTEM]\n");
      ::chmod(ini_.c_str(), *c.existingMode);
    }
    const mode_t saved = ::umask(c.umask);
    WriteSetting(settings::kSecLevel, 3, ini_);
    EXPECT_EQ(::umask(saved), c.umask) << c.name;  // the write left the process's umask as it was
    struct stat info;
    ASSERT_EQ(::stat(ini_.c_str(), &info), 0) << c.name;
    EXPECT_EQ(info.st_mode & 07777, c.expected) << c.name;
  }
}

TEST_F(IniUnitTest, RefusedWriteNamesTheFullPath) {
  const std::string notAFolder = temp_.WriteFile("plainfile") + "/ZK.ini";
  try {
    WriteSetting(settings::kSecLevel, 3, notAFolder);
    FAIL() << "the write was not refused";
  } catch (const EIniWriteError& error) {
    EXPECT_STREQ(error.what(), (notAFolder + " に書き込めません").c_str());
  }

  // The read-only attribute refuses the write also for root, and the file stays as it was.
  WriteIni("[SYSTEM]\nSECLEVEL=1\n");
  ::chmod(ini_.c_str(), 0444);
  EXPECT_THROW(WriteSetting(settings::kSecLevel, 3, ini_), EIniWriteError);
  EXPECT_EQ(Content(), "[SYSTEM]\nSECLEVEL=1\n");
}

}  // namespace
}  // namespace zk
