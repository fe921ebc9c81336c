// A fresh temporary folder for one test, removed with everything in it at the end, and small file helpers.
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace zk::test {

class CliFolder {
 public:
  CliFolder();
  ~CliFolder();
  CliFolder(const CliFolder&) = delete;
  CliFolder& operator=(const CliFolder&) = delete;

  // The folder's path, ending in "/".
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

  // Every path below the folder, relative and sorted; folders end in "/".
  std::vector<std::string> Listing() const;

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);  // any directory entry, links not followed
void SetModificationTime(const std::string& path, std::time_t time);
std::time_t ModificationTime(const std::string& path);

}  // namespace zk::test
