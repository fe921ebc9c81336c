// A tree of folders one inside the other, deeper than any path the system's calls take.
#pragma once

#include <string>

namespace zk::test {

// root/dd/dd/.../dd, `levels` folders deep, each folder (root too) holding a file "f". Made and removed
// through descriptors, relative to the folder above, since its deepest paths are too long for a path call.
class DeepTree {
 public:
  DeepTree(std::string root, int levels);
  ~DeepTree();
  DeepTree(const DeepTree&) = delete;
  DeepTree& operator=(const DeepTree&) = delete;

  // The folder `level` folders below root, ending in "/" (level 0: root).
  std::string Folder(int level) const;
  int Levels() const { return levels_; }

 private:
  std::string root_;
  int levels_;
};

}  // namespace zk::test
