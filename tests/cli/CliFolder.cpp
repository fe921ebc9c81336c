#include "CliFolder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zk::test {

namespace fs = std::filesystem;

CliFolder::CliFolder() {
  std::string pattern = (fs::temp_directory_path() / "zkcli_test.XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

CliFolder::~CliFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::vector<std::string> CliFolder::Listing() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path_)) {
    std::string name = fs::relative(entry.path(), path_).string();
    if (entry.is_directory() && !entry.is_symlink()) name += "/";
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

bool Exists(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
}

void SetModificationTime(const std::string& path, std::time_t time) {
  const timespec times[2] = {{time, 0}, {time, 0}};
  if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) throw std::runtime_error("utimensat failed");
}

std::time_t ModificationTime(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) throw std::runtime_error("stat failed for " + path);
  return status.st_mtime;
}

}  // namespace zk::test
