#include "shell/SettingsModel.h"

#include "engine/BatchRules.h"

namespace zk {

void TSettings::Load(const std::string& file) {
  X = ReadSetting(settings::kX, file);
  Y = ReadSetting(settings::kY, file);
  DbChk = ReadSetting(settings::kDbChk, file);
  IncSubFolder = ReadSetting(settings::kIncSubFolder, file);
  PassHash = ReadSetting(settings::kPassHash, file);
  SecLevel = ReadSetting(settings::kSecLevel, file);
  ProcessMsgIntv = ReadSetting(settings::kProcessMsgIntv, file);
  FirstExec = ReadSetting(settings::kFirstExec, file);
  WipeSource = ReadSetting(settings::kWipeSource, file);
  WipeDecSource = ReadSetting(settings::kWipeDecSource, file);
  MainTop = ReadSetting(settings::kMainTop, file);
  DontClearPassBox = ReadSetting(settings::kDontClearPassBox, file);
  SaveHint = ReadSetting(settings::kSaveHint, file);
  ReEnc = ReadSetting(settings::kReEnc, file);
  TopWipe = ReadSetting(settings::kTopWipe, file);
  PassHint = SaveHint ? ReadSetting(settings::kPassHint, file) : std::string();
  const bool randomName = ReadSetting(settings::kRandomExt, file);
  const bool ownExtension = !randomName && ReadSetting(settings::kOwnExt, file);
  DefaultExt = !randomName && !ownExtension && ReadSetting(settings::kDefaultExt, file);
  OwnExt = ownExtension;
  RandomExt = randomName;
  OwnExtStr = ReadSetting(settings::kOwnExtStr, file);
  const int32_t algorithm = ReadSetting(settings::kAlgorithm, file);
  Algorithm = algorithm >= 0 && algorithm <= 2 ? algorithm : -1;
}

void TSettings::Save(const std::string& file) const {
  WriteSetting(settings::kX, X, file);
  WriteSetting(settings::kY, Y, file);
  WriteSetting(settings::kIncSubFolder, IncSubFolder, file);
  WriteSetting(settings::kWipeSource, WipeSource, file);
  WriteSetting(settings::kWipeDecSource, WipeDecSource, file);
  WriteSetting(settings::kMainTop, MainTop, file);
  WriteSetting(settings::kDontClearPassBox, DontClearPassBox, file);
  WriteSetting(settings::kSaveHint, SaveHint, file);
  WriteSetting(settings::kReEnc, ReEnc, file);
  WriteSetting(settings::kTopWipe, TopWipe, file);
  if (SaveHint) WriteSetting(settings::kPassHint, PassHint, file);
  WriteSetting(settings::kPassHash, PassHash, file);
  WriteSetting(settings::kSecLevel, SecLevel, file);
  WriteSetting(settings::kDefaultExt, DefaultExt, file);
  WriteSetting(settings::kOwnExt, OwnExt, file);
  WriteSetting(settings::kRandomExt, RandomExt, file);
  WriteSetting(settings::kOwnExtStr, OwnExtStr, file);
  WriteSetting(settings::kAlgorithm, Algorithm, file);
  WriteSetting(settings::kFirstExec, FirstExec, file);
}

int TSettings::NamingMode() const {
  return RandomExt ? kNamingRandom : OwnExt ? kNamingOwnExtension : kNamingStandard;
}

void TSettings::SetNamingMode(int mode) {
  DefaultExt = mode == kNamingStandard;
  OwnExt = mode == kNamingOwnExtension;
  RandomExt = mode == kNamingRandom;
}

}  // namespace zk
