#include "DeepTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace zk::test {
namespace {

constexpr const char* kFolderName = "dd";
constexpr const char* kFileName = "f";

int OpenFolderAt(int parent, const char* name) {
  const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) throw std::runtime_error(std::string("cannot open the deep tree's folder ") + name);
  return folder;
}

void WriteFileAt(int folder) {
  const int file = ::openat(folder, kFileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0 || ::write(file, "f", 1) != 1) throw std::runtime_error("cannot write the deep tree's file");
  ::close(file);
}

}  // namespace

DeepTree::DeepTree(std::string root, int levels) : root_(std::move(root)), levels_(levels) {
  if (!root_.ends_with('/')) root_ += '/';
  int folder = OpenFolderAt(AT_FDCWD, root_.c_str());
  for (int level = 0;; ++level) {
    WriteFileAt(folder);
    if (level == levels_) break;
    if (::mkdirat(folder, kFolderName, 0755) != 0) throw std::runtime_error("cannot make the deep tree");
    const int next = OpenFolderAt(folder, kFolderName);
    ::close(folder);
    folder = next;
  }
  ::close(folder);
}

DeepTree::~DeepTree() {
  // Down to the deepest folder holding one descriptor, then up again through "..", emptying each folder.
  int folder = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int depth = 0;
  while (folder >= 0 && depth < levels_) {
    const int next = ::openat(folder, kFolderName, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (next < 0) break;
    ::close(folder);
    folder = next;
    ++depth;
  }
  for (; folder >= 0; --depth) {
    ::unlinkat(folder, kFileName, 0);
    ::unlinkat(folder, kFolderName, AT_REMOVEDIR);
    if (depth == 0) break;
    const int parent = ::openat(folder, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(folder);
    folder = parent;
  }
  if (folder >= 0) ::close(folder);
}

std::string DeepTree::Folder(int level) const {
  std::string path = root_;
  for (int i = 0; i < level; ++i) path.append(kFolderName).append("/");
  return path;
}

}  // namespace zk::test
