// TSettings: every value the desktop program keeps in ZK.ini, held in one plain value while it runs. The
// windows show it and write their changes back into it; it is read once at start and written once at close.
// Names and defaults come from the key table (Settings.h).
#pragma once

#include <cstdint>
#include <string>

#include "shell/Settings.h"

namespace zk {

struct TSettings {
  int32_t X = settings::kX.defaultValue;
  int32_t Y = settings::kY.defaultValue;
  bool SingleInstance = settings::kDbChk.defaultValue;  // a second start hands over or refuses
  bool IncSubFolder = settings::kIncSubFolder.defaultValue;
  std::string CheckValue{settings::kPassHash.defaultValue};  // the registered check value; empty when none
  int32_t SecLevel = settings::kSecLevel.defaultValue;       // 1 to 4: minimum lengths 1, 6, 10, 20 bytes
  int32_t ProcessMsgIntv = settings::kProcessMsgIntv.defaultValue;
  bool FirstExec = settings::kFirstExec.defaultValue;
  bool WipeSource = settings::kWipeSource.defaultValue;
  bool WipeDecSource = settings::kWipeDecSource.defaultValue;
  bool StayOnTop = settings::kMainTop.defaultValue;
  bool DontClearPassBox = settings::kDontClearPassBox.defaultValue;
  bool SaveHint = settings::kSaveHint.defaultValue;
  bool ReEnc = settings::kReEnc.defaultValue;
  bool ShowWipeButton = settings::kTopWipe.defaultValue;   // the main window shows the wipe bin
  std::string PassHint{settings::kPassHint.defaultValue};  // the hint of the runs; kept only with SaveHint
  bool DefaultExt = settings::kDefaultExt.defaultValue;
  bool OwnExt = settings::kOwnExt.defaultValue;
  bool RandomExt = settings::kRandomExt.defaultValue;
  std::string OwnExtStr{settings::kOwnExtStr.defaultValue};
  int32_t Algorithm = settings::kAlgorithm.defaultValue;  // 0 Twofish, 1 Rijndael, 2 GOST; -1 none chosen

  // Reads every key as the program takes it: the hint only when SaveHint is set, of the three naming flags
  // only the last one set (none when none is), a cipher number outside 0 to 2 as -1.
  void Load(const std::string& file);
  // Writes the keys in the order of the original program (PASSHINT only with SaveHint; DBCHK and
  // PROCESSMSGINTV are never written), all in one rewrite of the file: a refused write (EIniWriteError)
  // leaves the file as it was.
  void Save(const std::string& file) const;

  // 0 ".enc", 1 own extension, 2 random name + own extension, following the naming flags.
  int NamingMode() const;
  void SetNamingMode(int mode);
};

}  // namespace zk
