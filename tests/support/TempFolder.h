// A fresh folder for one test's fixture, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zk::test {

class TempFolder {
 public:
  TempFolder() {
    const char* temp = std::getenv("TMPDIR");
    std::string pattern = std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp") + "/zk-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern + "/";
  }
  ~TempFolder() {
    std::error_code ignored;
    // Give back the write bits tests took away, so that nothing is left behind for a user who is not root.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
      if (!entry.is_symlink()) ::chmod(entry.path().c_str(), 0700);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in "/".
  const std::string& Path() const { return path_; }
  std::string Path(const std::string& name) const { return path_ + name; }

  std::string WriteFile(const std::string& name, const std::string& content = "") const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  std::string MakeFolder(const std::string& name) const {
    const std::string path = Path(name);
    std::filesystem::create_directories(path);
    return path;
  }
  std::string MakeLink(const std::string& name, const std::string& target) const {
    const std::string path = Path(name);
    std::filesystem::create_symlink(target, path);
    return path;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::string path_;
};

}  // namespace zk::test
