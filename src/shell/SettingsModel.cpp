#include "shell/SettingsModel.h"

#include <tuple>

#include "engine/BatchRules.h"

namespace zk {
namespace {

// One key of ZK.ini and the field of TSettings that holds it.
template <typename Key, typename Field>
struct TBoundKey {
  const TIniKey<Key>& key;
  Field TSettings::*field;
  bool written = true;  // DBCHK and PROCESSMSGINTV are only ever read
};

template <typename Key, typename Field>
TBoundKey(const TIniKey<Key>&, Field TSettings::*) -> TBoundKey<Key, Field>;
template <typename Key, typename Field>
TBoundKey(const TIniKey<Key>&, Field TSettings::*, bool) -> TBoundKey<Key, Field>;

// Every key, in the order the original program writes them.
const auto kBoundKeys = std::tuple{
    TBoundKey{settings::kX, &TSettings::X},
    TBoundKey{settings::kY, &TSettings::Y},
    TBoundKey{settings::kIncSubFolder, &TSettings::IncSubFolder},
    TBoundKey{settings::kWipeSource, &TSettings::WipeSource},
    TBoundKey{settings::kWipeDecSource, &TSettings::WipeDecSource},
    TBoundKey{settings::kMainTop, &TSettings::StayOnTop},
    TBoundKey{settings::kDontClearPassBox, &TSettings::DontClearPassBox},
    TBoundKey{settings::kSaveHint, &TSettings::SaveHint},
    TBoundKey{settings::kReEnc, &TSettings::ReEnc},
    TBoundKey{settings::kTopWipe, &TSettings::ShowWipeButton},
    TBoundKey{settings::kPassHint, &TSettings::PassHint},
    TBoundKey{settings::kPassHash, &TSettings::CheckValue},
    TBoundKey{settings::kSecLevel, &TSettings::SecLevel},
    TBoundKey{settings::kDefaultExt, &TSettings::DefaultExt},
    TBoundKey{settings::kOwnExt, &TSettings::OwnExt},
    TBoundKey{settings::kRandomExt, &TSettings::RandomExt},
    TBoundKey{settings::kOwnExtStr, &TSettings::OwnExtStr},
    TBoundKey{settings::kAlgorithm, &TSettings::Algorithm},
    TBoundKey{settings::kFirstExec, &TSettings::FirstExec},
    TBoundKey{settings::kDbChk, &TSettings::SingleInstance, false},
    TBoundKey{settings::kProcessMsgIntv, &TSettings::ProcessMsgIntv, false},
};

template <typename Action>
void ForEachBoundKey(Action&& action) {
  std::apply([&](const auto&... bound) { (action(bound), ...); }, kBoundKeys);
}

int32_t ReadValue(const TIniContent& ini, const TIniKey<int32_t>& key) {
  return ini.Integer(key.section, key.key, key.defaultValue);
}
bool ReadValue(const TIniContent& ini, const TIniKey<bool>& key) {
  return ini.Bool(key.section, key.key, key.defaultValue);
}
std::string ReadValue(const TIniContent& ini, const TIniKey<std::string_view>& key) {
  return ini.String(key.section, key.key, key.defaultValue);
}

std::string IniText(const std::string& value) { return value; }

}  // namespace

void TSettings::Load(const std::string& file) {
  const TIniContent ini = TIniContent::Read(file);
  ForEachBoundKey([&](const auto& bound) { this->*bound.field = ReadValue(ini, bound.key); });
  if (!SaveHint) PassHint.clear();
  // Of the three naming flags only the last one set counts.
  OwnExt = OwnExt && !RandomExt;
  DefaultExt = DefaultExt && !OwnExt && !RandomExt;
  if (Algorithm < 0 || Algorithm > 2) Algorithm = -1;
}

void TSettings::Save(const std::string& file) const {
  std::vector<TIniValue> values;
  ForEachBoundKey([&](const auto& bound) {
    if (!bound.written || (static_cast<const void*>(&bound.key) == &settings::kPassHint && !SaveHint)) return;
    values.push_back({bound.key.section, bound.key.key, IniText(this->*bound.field)});
  });
  WriteIniValues(file, values);
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
