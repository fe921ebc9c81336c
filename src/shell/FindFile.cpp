#include "shell/FindFile.h"

#include <fnmatch.h>

#include <cstdlib>
#include <deque>
#include <set>

#include "platform/FolderNames.h"

namespace zk {

namespace {

constexpr uint32_t kExcludingAttributes = kAttrHidden | kAttrSystem | kAttrVolumeId | kAttrDirectory;

std::string WithSeparator(std::string folder) {
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string WithoutSeparator(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// The folders that hold `folder`, up to "/", by identity.
std::set<TFileIdentity> FoldersHolding(const std::string& folder) {
  std::set<TFileIdentity> holding;
  char* resolved = ::realpath(folder.c_str(), nullptr);
  if (resolved == nullptr) return holding;
  std::string path = resolved;
  ::free(resolved);
  while (!path.empty()) {
    path.resize(path.find_last_of('/'));
    if (std::optional<TFileIdentity> identity = IdentityOf(path.empty() ? "/" : path))
      holding.insert(*identity);
  }
  return holding;
}

}  // namespace

std::vector<TFindFile::TEntry> TFindFile::ReadFolder(const std::string& folder) {
  TFolderNames read = ReadFolderNames(folder);
  if (read.State == TFolderRead::kUnreadable) unreadable_.push_back(WithoutSeparator(folder));
  std::vector<TEntry> entries;
  entries.reserve(read.Names.size());
  for (std::string& name : read.Names) {
    const TEntryStatus status = QueryEntry(folder + name);
    if (status.attributes == kAttrInvalid) continue;  // gone since the folder was read
    entries.push_back({std::move(name), status});
  }
  return entries;
}

bool TFindFile::Listed(const TEntry& entry) const {
  if ((entry.status.attributes & kExcludingAttributes & ~Attributes.Mask()) != 0) return false;
  return Filter == "*.*" || ::fnmatch(Filter.c_str(), entry.name.c_str(), FNM_CASEFOLD) == 0;
}

bool TFindFile::ListFolder(const std::string& folder, const std::vector<TEntry>& entries) {
  bool abort = false;
  if (OnNewPath) OnNewPath(*this, folder, abort);
  if (abort) return false;
  for (const TEntry& entry : entries) {
    if (!Listed(entry)) continue;
    files_.push_back(folder + entry.name);
    statuses_.push_back(entry.status);
    if (entry.status.attributes == kAttrDirectory) {
      ++folderCount_;
    } else {
      ++fileCount_;
    }
    totalSize_ += entry.status.size;
  }
  return true;
}

void TFindFile::Execute() {
  files_.clear();
  statuses_.clear();
  unreadable_.clear();
  fileCount_ = folderCount_ = 0;
  totalSize_ = 0;
  if (BeforeExecute) BeforeExecute(*this);
  if (!Directory.empty()) Search(WithSeparator(Directory));
  if (AfterExecute) AfterExecute(*this);
}

void TFindFile::Search(const std::string& root) {
  // Links to folders are never entered, so only a bind mount can show a folder twice or lead back to one
  // that holds the searched folder: every folder is searched once, known by device and inode.
  const std::set<TFileIdentity> holding = FoldersHolding(root);
  std::set<TFileIdentity> reached;
  auto firstReached = [&](const std::string& folder) {
    const std::optional<TFileIdentity> identity = IdentityOf(folder);
    return identity && !holding.contains(*identity) && reached.insert(*identity).second;
  };
  firstReached(root);
  std::deque<std::string> queue{root};
  while (!queue.empty()) {
    const std::string folder = std::move(queue.front());
    queue.pop_front();
    const std::vector<TEntry> entries = ReadFolder(folder);
    if (Recurse) {
      for (const TEntry& entry : entries) {
        if ((entry.status.attributes & kAttrDirectory) == 0 || entry.status.link) continue;
        const std::string subfolder = folder + entry.name + "/";
        if (firstReached(subfolder)) queue.push_back(subfolder);
      }
    }
    if (!ListFolder(folder, entries)) return;
  }
}

}  // namespace zk
