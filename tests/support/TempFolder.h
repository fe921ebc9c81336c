// A fresh folder for one test's fixture, removed with everything in it afterwards.
#pragma once

#include <string>
#include <vector>

namespace zk::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in "/".
  const std::string& Path() const { return path_; }
  std::string Path(const std::string& name) const { return path_ + name; }

  // Each returns the full path of what it made.
  std::string WriteFile(const std::string& name, const std::string& content = "") const;
  std::string MakeFolder(const std::string& name) const;
  std::string MakeLink(const std::string& name, const std::string& target) const;

  static std::string ReadFile(const std::string& path);

  // Every path below the folder, relative and sorted; folders end in "/", links to folders do not.
  std::vector<std::string> Listing() const;

 private:
  std::string path_;
};

}  // namespace zk::test
