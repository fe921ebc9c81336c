// Every key of ZK.ini with its section and default, and typed access through that one table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/IniUnit.h"

namespace zk {

template <typename T>
struct TIniKey {
  const char* section;
  const char* key;
  T defaultValue;
};

namespace settings {

inline constexpr const char* kWindowPos = "WINDOWPOS";
inline constexpr const char* kSystem = "SYSTEM";

inline constexpr TIniKey<int32_t> kX{kWindowPos, "X", 100};
inline constexpr TIniKey<int32_t> kY{kWindowPos, "Y", 100};
inline constexpr TIniKey<bool> kDbChk{kSystem, "DBCHK", true};
inline constexpr TIniKey<bool> kIncSubFolder{kSystem, "INCSUBFOLDER", true};
inline constexpr TIniKey<std::string_view> kPassHash{kSystem, "PASSHASH", ""};
inline constexpr TIniKey<int32_t> kSecLevel{kSystem, "SECLEVEL", 2};
inline constexpr TIniKey<int32_t> kProcessMsgIntv{kSystem, "PROCESSMSGINTV", 30};
inline constexpr TIniKey<bool> kFirstExec{kSystem, "FIRSTEXEC", true};
inline constexpr TIniKey<bool> kWipeSource{kSystem, "WIPESOURCE", true};
inline constexpr TIniKey<bool> kWipeDecSource{kSystem, "WIPEDECSOURCE", true};
inline constexpr TIniKey<bool> kMainTop{kSystem, "MAINTOP", false};
inline constexpr TIniKey<bool> kDontClearPassBox{kSystem, "DONTCLEARPASSBOX", false};
inline constexpr TIniKey<bool> kSaveHint{kSystem, "SAVEHINT", true};
inline constexpr TIniKey<bool> kReEnc{kSystem, "REENC", true};
inline constexpr TIniKey<bool> kTopWipe{kSystem, "TOPWIPE", false};
inline constexpr TIniKey<std::string_view> kPassHint{kSystem, "PASSHINT", ""};
inline constexpr TIniKey<bool> kDefaultExt{kSystem, "DEFAULT_EXT", true};
inline constexpr TIniKey<bool> kOwnExt{kSystem, "OWN_EXT", false};
inline constexpr TIniKey<bool> kRandomExt{kSystem, "RANDOM_EXT", false};
inline constexpr TIniKey<std::string_view> kOwnExtStr{kSystem, "OWN_EXT_STR", ".bmp"};
inline constexpr TIniKey<int32_t> kAlgorithm{kSystem, "ALGORITHM", 0};

}  // namespace settings

// `file` as for the IniUnit operations: "ZK.ini" where IniPath puts it unless a path is given.
inline bool ReadSetting(const TIniKey<bool>& key, const std::string& file = kIniFileName) {
  return ReadIniBool(file, key.section, key.key, key.defaultValue);
}
inline int32_t ReadSetting(const TIniKey<int32_t>& key, const std::string& file = kIniFileName) {
  return ReadIniInteger(file, key.section, key.key, key.defaultValue);
}
inline std::string ReadSetting(const TIniKey<std::string_view>& key, const std::string& file = kIniFileName) {
  return ReadIniString(file, key.section, key.key, key.defaultValue);
}

inline void WriteSetting(const TIniKey<bool>& key, bool value, const std::string& file = kIniFileName) {
  WriteIniBool(file, key.section, key.key, value);
}
inline void WriteSetting(const TIniKey<int32_t>& key, int32_t value, const std::string& file = kIniFileName) {
  WriteIniInteger(file, key.section, key.key, value);
}
inline void WriteSetting(const TIniKey<std::string_view>& key, std::string_view value,
                         const std::string& file = kIniFileName) {
  WriteIniString(file, key.section, key.key, value);
}

}  // namespace zk
