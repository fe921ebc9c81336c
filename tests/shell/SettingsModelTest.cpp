#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include "TempFolder.h"
#include "engine/BatchRules.h"
#include "shell/SettingsModel.h"

namespace zk {
namespace {

class SettingsModelTest : public ::testing::Test {
 protected:
  std::string WriteIni(const std::string& content) { return temp_.WriteFile("ZK.ini", content); }
  std::string Content() const { return test::TempFolder::ReadFile(ini_); }

  test::TempFolder temp_;
  const std::string ini_ = temp_.Path("ZK.ini");
};

TEST_F(SettingsModelTest, MissingFileGivesTheDefaultsWrittenInTheProgramsOrder) {
  TSettings model;
  model.Load(ini_);
  model.FirstExec = false;
  model.Save(ini_);
  EXPECT_EQ(Content(),
            "[WINDOWPOS]\nX=100\nY=100\n[SYSTEM]\nINCSUBFOLDER=1\nWIPESOURCE=1\nWIPEDECSOURCE=1\nMAINTOP=0\n"
            "DONTCLEARPASSBOX=0\nSAVEHINT=1\nREENC=1\nTOPWIPE=0\nPASSHINT=\nPASSHASH=\nSECLEVEL=2\n"
            "DEFAULT_EXT=1\nOWN_EXT=0\nRANDOM_EXT=0\nOWN_EXT_STR=.bmp\nALGORITHM=0\nFIRSTEXEC=0\n");
}

TEST_F(SettingsModelTest, EveryValueSurvivesARoundTripWhole) {
  // Not valid UTF-8, and longer than any box would show: the model keeps the bytes as they stand.
  const std::string hint = "\x82\xa0\xff" + std::string(1500, 'h');
  const std::string content = "[WINDOWPOS]\nX=-5\nY=2000\n[SYSTEM]\nINCSUBFOLDER=0\nWIPESOURCE=0\n"
                              "WIPEDECSOURCE=0\nMAINTOP=1\nDONTCLEARPASSBOX=1\nSAVEHINT=1\nREENC=0\n"
                              "TOPWIPE=1\nPASSHINT=" +
                              hint +
                              "\nPASSHASH=0123ABCD\nSECLEVEL=7\nDEFAULT_EXT=0\nOWN_EXT=1\nRANDOM_EXT=0\n"
                              "OWN_EXT_STR=.\xe3\x81\x82\xfe\nALGORITHM=2\nFIRSTEXEC=0\n";
  WriteIni(content);
  TSettings model;
  model.Load(ini_);
  EXPECT_EQ(model.PassHint, hint);
  EXPECT_EQ(model.SecLevel, 7);
  EXPECT_EQ(model.NamingMode(), kNamingOwnExtension);
  const std::string copy = temp_.Path("copy.ini");
  model.Save(copy);
  EXPECT_EQ(test::TempFolder::ReadFile(copy), content);
}

TEST_F(SettingsModelTest, LoadTakesTheValuesAsTheProgramUsesThem) {
  struct Case {
    const char* lines;
    int namingMode;
    bool defaultExt;
    int32_t algorithm;
    const char* hint;
  } cases[] = {
      {"", kNamingStandard, true, 0, ""},
      // Of the naming flags the last one set wins; the others are cleared.
      {"DEFAULT_EXT=1\nOWN_EXT=1\n", kNamingOwnExtension, false, 0, ""},
      {"OWN_EXT=1\nRANDOM_EXT=1\n", kNamingRandom, false, 0, ""},
      {"DEFAULT_EXT=0\n", kNamingStandard, false, 0, ""},  // none set: none is written back either
      // A cipher the program does not know is no choice at all.
      {"ALGORITHM=3\n", kNamingStandard, true, -1, ""},
      {"ALGORITHM=-7\n", kNamingStandard, true, -1, ""},
      {"ALGORITHM=1\n", kNamingStandard, true, 1, ""},
      // The hint is kept only while it is to be saved.
      {"PASSHINT=hi\n", kNamingStandard, true, 0, "hi"},
      {"PASSHINT=hi\nSAVEHINT=0\n", kNamingStandard, true, 0, ""},
  };
  for (const Case& c : cases) {
    WriteIni(std::string("[SYSTEM]\n") + c.lines);
    TSettings model;
    model.Load(ini_);
    EXPECT_EQ(model.NamingMode(), c.namingMode) << c.lines;
    EXPECT_EQ(model.DefaultExt, c.defaultExt) << c.lines;
    EXPECT_EQ(model.Algorithm, c.algorithm) << c.lines;
    EXPECT_EQ(model.PassHint, c.hint) << c.lines;
  }
}

TEST_F(SettingsModelTest, HintIsNotWrittenUnlessItIsSaved) {
  WriteIni("[SYSTEM]\nPASSHINT=kept on disk\n");
  TSettings model;
  model.SaveHint = false;
  model.PassHint = "typed this run";
  model.Save(ini_);
  TSettings reread;
  reread.Load(ini_);
  EXPECT_NE(Content().find("PASSHINT=kept on disk\n"), std::string::npos);
  EXPECT_FALSE(reread.SaveHint);
}

TEST_F(SettingsModelTest, SaveRewritesTheFileOnce) {
  WriteIni("[SYSTEM]\nSECLEVEL=3\n");
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, temp_.Path().c_str(), IN_MOVED_TO), 0);
  TSettings model;
  model.Save(ini_);
  int renames = 0;
  alignas(inotify_event) char events[4096];
  for (ssize_t got; (got = ::read(watch, events, sizeof events)) > 0;)
    for (char* at = events; at < events + got; at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len)
      ++renames;
  ::close(watch);
  EXPECT_EQ(renames, 1);
}

TEST_F(SettingsModelTest, NamingModeSetsExactlyOneFlag) {
  TSettings model;
  for (int mode : {kNamingRandom, kNamingOwnExtension, kNamingStandard}) {
    model.SetNamingMode(mode);
    EXPECT_EQ(model.NamingMode(), mode);
    EXPECT_EQ(int(model.DefaultExt) + int(model.OwnExt) + int(model.RandomExt), 1);
  }
}

}  // namespace
}  // namespace zk
