// Containers composed by hand from the ciphers, SHA-1 and Base64, laid out field by field: an oracle
// independent of the engine's writer, reader and text cipher.
#pragma once

#include <cstdint>
#include <string>

namespace zk::test {

// What goes into a container. Texts are the bytes as stored (CP932 or ASCII).
struct TContainerRecipe {
  std::string Password;
  std::string Hint;
  std::string Name;
  int32_t FileDate = -1;
  int32_t Algorithm = 0;
  std::string Plain;
};

// The container bytes.
std::string HandMadeContainer(const TContainerRecipe& recipe);

// Little-endian 32-bit field.
std::string Int32Bytes(int32_t value);

}  // namespace zk::test
