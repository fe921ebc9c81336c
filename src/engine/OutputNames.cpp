#include "OutputNames.h"

#include "platform/FileInfo.h"
#include "platform/Paths.h"
#include "platform/Random.h"

namespace zk {
namespace {

constexpr int kRandomNameLength = 7;

char RandomNameCharacter() {
  if (RandomBelow(2) == 0) return static_cast<char>('e' + RandomBelow(20));
  return static_cast<char>('0' + RandomBelow(10));
}

std::string RandomCharacters(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += RandomNameCharacter();
  return text;
}

}  // namespace

std::string CollisionFreeName(std::string path) {
  while (FileExists(path)) path += "_RENAMED" + OwnExtension(path);
  return path;
}

std::string RandomOutputName(std::string_view source, std::string_view extension) {
  const std::string folder = FolderPart(source);
  std::string path;
  do {
    path = folder + RandomCharacters(kRandomNameLength) + std::string(extension);
  } while (FileExists(path));
  return path;
}

std::string StoredFileName(std::string_view name) {
  const size_t separator = name.find_last_of("/\\");
  const std::string_view last = separator == std::string_view::npos ? name : name.substr(separator + 1);
  if (last.empty() || last == "." || last == ".." || last.find('\0') != std::string_view::npos) return {};
  return std::string(last);
}

}  // namespace zk
