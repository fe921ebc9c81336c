#include "shell/FindFile.h"

#include <dirent.h>
#include <fnmatch.h>

#include <algorithm>
#include <deque>

namespace zk {

namespace {

constexpr uint32_t kExcludingAttributes = kAttrHidden | kAttrSystem | kAttrVolumeId | kAttrDirectory;

std::string WithSeparator(std::string folder) {
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

std::vector<TFindFile::Entry> TFindFile::ReadFolder(const std::string& folder) {
  std::vector<Entry> entries;
  DIR* stream = ::opendir(folder.c_str());
  if (stream == nullptr) return entries;
  std::vector<std::string> names;
  while (const dirent* item = ::readdir(stream)) {
    const std::string_view name = item->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(stream);
  std::sort(names.begin(), names.end());
  entries.reserve(names.size());
  for (std::string& name : names) {
    const EntryStatus status = QueryEntry(folder + name);
    if (status.attributes == kAttrInvalid) continue;  // gone since the folder was read
    entries.push_back({std::move(name), status});
  }
  return entries;
}

bool TFindFile::Listed(const Entry& entry) const {
  if ((entry.status.attributes & kExcludingAttributes & ~Attributes.Mask()) != 0) return false;
  return Filter == "*.*" || ::fnmatch(Filter.c_str(), entry.name.c_str(), FNM_CASEFOLD) == 0;
}

bool TFindFile::ListFolder(const std::string& folder, const std::vector<Entry>& entries) {
  bool abort = false;
  if (OnNewPath) OnNewPath(*this, folder, abort);
  if (abort) return false;
  for (const Entry& entry : entries) {
    if (!Listed(entry)) continue;
    files_.push_back(folder + entry.name);
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
  fileCount_ = folderCount_ = 0;
  totalSize_ = 0;
  if (BeforeExecute) BeforeExecute(*this);
  if (!Directory.empty()) {
    std::deque<std::string> queue{WithSeparator(Directory)};
    while (!queue.empty()) {
      const std::string folder = std::move(queue.front());
      queue.pop_front();
      const std::vector<Entry> entries = ReadFolder(folder);
      if (Recurse) {
        for (const Entry& entry : entries)
          if (entry.status.attributes & kAttrDirectory) queue.push_back(folder + entry.name + "/");
      }
      if (!ListFolder(folder, entries)) break;
    }
  }
  if (AfterExecute) AfterExecute(*this);
}

}  // namespace zk
