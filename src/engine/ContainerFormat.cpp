#include "ContainerFormat.h"

#include <algorithm>

#include "crypto/BlockCipher.h"
#include "crypto/Bytes.h"
#include "crypto/SHA1.h"
#include "platform/File.h"

namespace zk {
namespace {

void AppendInt32(std::string& out, int32_t value) {
  uint8_t bytes[4];
  StoreLE32(bytes, static_cast<uint32_t>(value));
  out.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace

TMagicVerdict ClassifyMagic(std::string_view magicBytes) {
  const std::string_view text = magicBytes.substr(0, std::min(magicBytes.find('\0'), kMagicBytes));
  if (text.find(kOldestMagic) != std::string_view::npos) return TMagicVerdict::kOldFormat;
  if (text.find(kVersion2Magic) != std::string_view::npos) return TMagicVerdict::kOldFormat;
  if (text.find(kContainerMagic) == std::string_view::npos) return TMagicVerdict::kNotContainer;
  return TMagicVerdict::kCurrent;
}

void InitFileKey(TZK_blockcipher& cipher, TZK_sha1& sha1, std::string_view password) {
  uint8_t key[kFileKeyBytes];
  std::fill(std::begin(key), std::end(key), uint8_t{0xFF});
  sha1.Init();
  sha1.UpdateString(password);
  sha1.Final(key);  // bytes 0..19; 20..31 keep 0xFF
  try {
    cipher.Init(key, std::min(static_cast<int>(kFileKeyBytes * 8), cipher.MaxKeySize()), nullptr);
  } catch (...) {
    SecureFill(key, 0xFF);
    throw;
  }
  SecureFill(key, 0xFF);
}

TCheckBlock MakeCheckBlock(TZK_blockcipher& cipher, std::string_view checkValue) {
  TCheckBlock block{};
  std::copy_n(checkValue.begin(), std::min(checkValue.size(), block.size()), block.begin());
  cipher.EncryptCBC(block.data(), block.data(), static_cast<int32_t>(block.size()));
  cipher.Reset();
  return block;
}

std::string SerializeHeader(const TContainerHeader& header) {
  if (!FieldFits(header.HintField) || !FieldFits(header.NameField)) {
    throw std::length_error("a header field exceeds 1000 bytes");
  }
  std::string out;
  out.reserve(44 + header.HintField.size() + header.NameField.size());
  out.append(kContainerMagic);
  AppendInt32(out, header.Algorithm);
  out.append(reinterpret_cast<const char*>(header.CheckBlock.data()), header.CheckBlock.size());
  AppendInt32(out, static_cast<int32_t>(header.HintField.size()));
  out.append(header.HintField);
  AppendInt32(out, static_cast<int32_t>(header.NameField.size()));
  out.append(header.NameField);
  AppendInt32(out, header.FileDate);
  return out;
}

void TContainerReader::ReadExactly(void* data, size_t size) {
  if (file_.Read(data, size) != size) throw TTruncatedContainer();
}

std::string TContainerReader::ReadMagic() {
  std::string magic(kMagicBytes, '\0');
  ReadExactly(magic.data(), magic.size());
  return magic;
}

int32_t TContainerReader::ReadInt32() {
  uint8_t bytes[4];
  ReadExactly(bytes, sizeof bytes);
  return static_cast<int32_t>(LoadLE32(bytes));
}

TCheckBlock TContainerReader::ReadCheckBlock() {
  TCheckBlock block;
  ReadExactly(block.data(), block.size());
  return block;
}

std::optional<std::string> TContainerReader::ReadField() {
  const int32_t length = ReadInt32();
  if (length < 0 || length > kMaxFieldBytes) return std::nullopt;
  std::string field(static_cast<size_t>(length), '\0');
  ReadExactly(field.data(), field.size());
  return field;
}

}  // namespace zk
