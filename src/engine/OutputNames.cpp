#include "OutputNames.h"

#include <sys/stat.h>

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

std::string CollisionFreeName(const std::string& path) {
  const std::string folder = FolderPart(path);
  const std::string name = LastComponent(path);
  for (size_t limit = kMaxFileNameBytes;;) {
    std::string free = folder + FitFileName(name, limit);
    while (FileExists(free)) free += "_RENAMED" + OwnExtension(free);
    const size_t length = free.size() - folder.size();
    // A name that cannot be made short enough is left for the creation to refuse.
    if (length <= kMaxFileNameBytes || length - kMaxFileNameBytes >= limit) return free;
    limit -= length - kMaxFileNameBytes;
  }
}

std::string RandomOutputName(std::string_view source, std::string_view extension) {
  const std::string folder = FolderPart(source);
  std::string path;
  do {
    path = folder + RandomCharacters(kRandomNameLength) + std::string(extension);
  } while (FileExists(path));
  return path;
}

TExplicitOutput ClassifyExplicitOutput(const std::string& path) {
  if (path == kStandardOutputName) return TExplicitOutput::kStandardOutput;
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return TExplicitOutput::kNewFile;
  if (S_ISREG(info.st_mode)) return TExplicitOutput::kReplacedFile;
  // A link is never replaced by a regular file; only a stream is written through it.
  if (S_ISLNK(info.st_mode) && ::stat(path.c_str(), &info) != 0) return TExplicitOutput::kRefused;
  if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)) return TExplicitOutput::kStream;
  return TExplicitOutput::kRefused;
}

std::string StoredFileName(std::string_view name) {
  const size_t separator = name.find_last_of("/\\");
  const std::string_view last = separator == std::string_view::npos ? name : name.substr(separator + 1);
  if (last.empty() || last == "." || last == ".." || last.find('\0') != std::string_view::npos) return {};
  return std::string(last);
}

}  // namespace zk
