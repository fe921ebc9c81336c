// libFuzzer target: the untrusted text the program reads. Every input is taken three ways:
// - as ZK.ini: every setting is read through the typed reads and used as the program uses it; then one
//   setting is written back, which must read back as written and leave every other setting as it was;
// - as the URI list of a drop: every path is absolute and free of zero bytes, and the list made again from
//   those paths gives the same paths;
// - as CP932 and as UTF-8: a valid CP932 text comes back from UTF-8 as the same bytes (except for the
//   characters that CP932 has twice, which come back as their first code), a converted text converts back to
//   the same text, and a path's display text is always valid UTF-8.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "crypto/Twofish.h"
#include "engine/BatchRules.h"
#include "engine/PasswordRules.h"
#include "engine/TextCipher.h"
#include "platform/CodePage.h"
#include "platform/ControlEscapes.h"
#include "platform/Random.h"
#include "shell/Settings.h"
#include "shell/UriList.h"

namespace {

namespace fs = std::filesystem;

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "FuzzText: %s\n", what);
  std::abort();
}

using Key = std::variant<zk::TIniKey<bool>, zk::TIniKey<int32_t>, zk::TIniKey<std::string_view>>;
using Value = std::variant<bool, int32_t, std::string>;

const std::vector<Key>& AllKeys() {
  using namespace zk::settings;
  static const std::vector<Key> keys = {
      kX,         kY,          kDbChk,         kIncSubFolder, kPassHash,         kSecLevel,  kProcessMsgIntv,
      kFirstExec, kWipeSource, kWipeDecSource, kMainTop,      kDontClearPassBox, kSaveHint,  kReEnc,
      kTopWipe,   kPassHint,   kDefaultExt,    kOwnExt,       kRandomExt,        kOwnExtStr, kAlgorithm};
  return keys;
}

Value Read(const Key& key, const std::string& file) {
  return std::visit([&](const auto& k) -> Value { return Value(zk::ReadSetting(k, file)); }, key);
}

std::vector<Value> ReadAll(const std::string& file) {
  std::vector<Value> values;
  for (const Key& key : AllKeys()) values.push_back(Read(key, file));
  return values;
}

class Sandbox {
 public:
  Sandbox() {
    // Every write of the settings file is flushed to the disk; in memory that costs nothing.
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "zkfuzztext.XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder_ = pattern;
    ini_ = (folder_ / "ZK.ini").string();
  }
  ~Sandbox() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  const std::string& Ini() const { return ini_; }

 private:
  fs::path folder_;
  std::string ini_;
};

// What the program does with the values it reads at start.
void UseSettings(const std::string& file) {
  using namespace zk::settings;
  const int32_t level = zk::ReadSetting(kSecLevel, file);
  zk::PasswordRefusal("password", level, true);
  zk::MinimumPasswordBytes(level);
  zk::RandomBelow(zk::ReadSetting(kProcessMsgIntv, file));
  const int naming = zk::ReadSetting(kRandomExt, file) ? 2 : zk::ReadSetting(kOwnExt, file) ? 1 : 0;
  const std::string source = "/folder/a.txt";
  const std::optional<zk::TOutputName> output =
      zk::ProposedOutputName(source, naming, zk::ReadSetting(kOwnExtStr, file));
  Require(output && output->Choose().starts_with("/folder/"), "the proposed output left the source's folder");
  // The hint goes into every container, through the same field cipher as the stored name.
  const std::string hint = zk::Utf8ToCp932(zk::ReadSetting(kPassHint, file));
  zk::TZK_twofish cipher;
  Require(zk::DecryptText(cipher, zk::EncryptText(cipher, hint, "key"), "key") == hint,
          "the hint did not come back from its field");
}

void CheckSettingsFile(std::string_view input, const Sandbox& sandbox) {
  std::ofstream(sandbox.Ini(), std::ios::binary | std::ios::trunc)
      .write(input.data(), static_cast<std::streamsize>(input.size()));
  const std::vector<Value> before = ReadAll(sandbox.Ini());
  UseSettings(sandbox.Ini());

  // One setting written back: the key and the value are taken from the input itself.
  const size_t index = input.size() % AllKeys().size();
  const std::string text(input.substr(0, std::min<size_t>(input.size(), 64)));
  Value written;
  try {
    written = std::visit(
        [&](const auto& key) -> Value {
          using T = std::decay_t<decltype(key.defaultValue)>;
          if constexpr (std::is_same_v<T, bool>) {
            const bool flag = !text.empty() && (text[0] & 1) != 0;
            zk::WriteSetting(key, flag, sandbox.Ini());
            return Value(flag);
          } else if constexpr (std::is_same_v<T, int32_t>) {
            const int32_t number = static_cast<int32_t>(std::hash<std::string>()(text));
            zk::WriteSetting(key, number, sandbox.Ini());
            return Value(number);
          } else {
            zk::WriteSetting(key, text, sandbox.Ini());
            std::string expected = text;
            for (char& c : expected)
              if (c == '\r' || c == '\n') c = ' ';  // a line break cannot stand in a value
            return Value(expected);
          }
        },
        AllKeys()[index]);
  } catch (const zk::EIniWriteError&) {
    return;  // e.g. the input named no usable file; nothing was changed
  }
  const std::vector<Value> after = ReadAll(sandbox.Ini());
  for (size_t i = 0; i < after.size(); ++i) {
    if (i == index) {
      Require(after[i] == written, "a written setting did not read back as written");
    } else {
      Require(after[i] == before[i], "writing one setting changed another");
    }
  }
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '/';
}

void CheckUriList(std::string_view input) {
  const std::vector<std::string> paths = zk::LocalPathsOfUriList(input);
  std::string again;
  for (const std::string& path : paths) {
    Require(path.starts_with("/"), "a dropped path is not absolute");
    Require(path.find('\0') == std::string::npos, "a dropped path holds a zero byte");
    again += "file://";
    for (const char c : path) {
      const auto byte = static_cast<unsigned char>(c);
      if (IsUnreserved(byte)) {
        again.push_back(c);
      } else {
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
        again += escaped;
      }
    }
    again += "\r\n";
  }
  Require(zk::LocalPathsOfUriList(again) == paths, "the URI list made from the paths gave other paths");
}

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// CP932 has some characters twice (NEC row 13, the NEC-selected and the IBM extensions, lead bytes 87, ED,
// EE and FA-FC); converting back from UTF-8 gives one of the codes.
bool HasDuplicatedCodes(std::string_view cp932) {
  for (size_t i = 0; i < cp932.size(); ++i) {
    const auto byte = static_cast<unsigned char>(cp932[i]);
    const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    if (!lead) continue;
    if (byte == 0x87 || byte == 0xED || byte == 0xEE || byte >= 0xFA) return true;
    ++i;
  }
  return false;
}

void CheckCodePage(std::string_view input) {
  const std::string utf8 = zk::Cp932ToUtf8(input);
  if (utf8 != input || IsAscii(input)) {  // valid CP932
    Require(zk::IsValidUtf8(utf8), "CP932 decoded to text that is not UTF-8");
    const std::string back = zk::Utf8ToCp932(utf8);
    Require(zk::Cp932ToUtf8(back) == utf8, "a CP932 text did not survive UTF-8 and back");
    Require(back == input || HasDuplicatedCodes(input), "a CP932 text came back as other bytes");
  }
  if (zk::IsValidUtf8(input)) {
    const std::string cp932 = zk::Utf8ToCp932(input);
    if (cp932 != input) {  // representable: converting back and forth again changes nothing
      Require(zk::Utf8ToCp932(zk::Cp932ToUtf8(cp932)) == cp932, "a converted text converts to other bytes");
    }
    Require(zk::PathDisplayText(input) == zk::EscapeControls(input),
            "a UTF-8 path is not shown as it is, its controls escaped");
  }
  const std::string shown = zk::PathDisplayText(input);
  Require(zk::IsValidUtf8(shown), "a path's display text is not UTF-8");
  Require(std::none_of(shown.begin(), shown.end(), [](char c) { return (c >= 0 && c < 0x20) || c == 0x7F; }),
          "a path's display text holds a control character");
  zk::Cp932Length(input);
  zk::StoredNameToUtf8(input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Sandbox sandbox;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckSettingsFile(input, sandbox);
  CheckUriList(input);
  CheckCodePage(input);
  return 0;
}
