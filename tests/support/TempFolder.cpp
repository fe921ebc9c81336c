#include "TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zk::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  const char* temp = std::getenv("TMPDIR");
  std::string pattern = std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp") + "/zk-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Give back the write bits tests took away, so that nothing is left behind for a user who is not root.
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
    if (!entry.is_symlink()) ::chmod(entry.path().c_str(), 0700);
  fs::remove_all(path_, ignored);
}

std::string TempFolder::WriteFile(const std::string& name, const std::string& content) const {
  const std::string path = Path(name);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
  return path;
}

std::string TempFolder::MakeFolder(const std::string& name) const {
  const std::string path = Path(name);
  fs::create_directories(path);
  return path;
}

std::string TempFolder::MakeLink(const std::string& name, const std::string& target) const {
  const std::string path = Path(name);
  fs::create_symlink(target, path);
  return path;
}

std::string TempFolder::ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::string> TempFolder::Listing() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path_)) {
    std::string name = fs::relative(entry.path(), path_).string();
    if (entry.is_directory() && !entry.is_symlink()) name += "/";
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zk::test
