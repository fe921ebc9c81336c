// TFindFile: the entries of a folder, alone or with its whole subtree (breadth first), under a name filter
// and an attribute mask.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/FileInfo.h"

namespace zk {

enum TAttrOption : uint32_t {
  ffReadOnly = kAttrReadOnly,
  ffHidden = kAttrHidden,
  ffSystem = kAttrSystem,
  ffVolumeID = kAttrVolumeId,
  ffDirectory = kAttrDirectory,
  ffArchive = kAttrArchive,
};

// A set of TAttrOption; its mask is the sum of the chosen attribute bits.
class TAttrOptions {
 public:
  constexpr TAttrOptions(std::initializer_list<TAttrOption> options) {
    for (TAttrOption option : options) mask_ |= option;
  }
  constexpr bool Contains(TAttrOption option) const { return (mask_ & option) != 0; }
  constexpr uint32_t Mask() const { return mask_; }

 private:
  uint32_t mask_ = 0;
};

class TFindFile {
 public:
  using TNotifyEvent = std::function<void(TFindFile& Sender)>;
  // Fired before each folder is listed; setting Abort stops the search.
  using TNewPathEvent = std::function<void(TFindFile& Sender, const std::string& NewPath, bool& Abort)>;

  bool Recurse = false;
  std::string Directory;       // empty: Execute finds nothing
  std::string Filter = "*.*";  // "*.*" matches every name; otherwise wildcards without regard to case
  TAttrOptions Attributes{ffReadOnly, ffHidden, ffSystem, ffArchive};
  TNotifyEvent BeforeExecute;
  TNotifyEvent AfterExecute;
  TNewPathEvent OnNewPath;

  // Fills Files: the entries of Directory (names sorted by bytes within a folder, "." and ".." skipped), then
  // with Recurse those of each subfolder, level by level. Subfolders are searched whatever Filter and
  // Attributes say. A symbolic link to a folder is listed as a folder but never entered (as rm -r, find and
  // tar do): what it leads to may lie anywhere. A folder reached twice (a bind mount) or one that holds
  // Directory is not searched again. A folder that cannot be read gives no entries and is named
  // in UnreadableFolders; a missing Directory gives nothing at all.
  void Execute();

  const std::vector<std::string>& Files() const { return files_; }
  // What each entry of Files was when it was listed.
  const std::vector<TEntryStatus>& Statuses() const { return statuses_; }
  int FileCount() const { return fileCount_; }
  int FolderCount() const { return folderCount_; }  // entries whose attribute word is exactly 16
  int64_t TotalSize() const { return totalSize_; }
  // The folders of the last Execute that could not be read (or not in full), in the order met, each spelled
  // as in Files (Directory itself without a final separator).
  const std::vector<std::string>& UnreadableFolders() const { return unreadable_; }

 private:
  struct TEntry {
    std::string name;
    TEntryStatus status;
  };
  // The folder's entries; a folder that cannot be read is noted in unreadable_.
  std::vector<TEntry> ReadFolder(const std::string& folder);
  void Search(const std::string& root);
  // False when the handler aborted the search.
  bool ListFolder(const std::string& folder, const std::vector<TEntry>& entries);
  bool Listed(const TEntry& entry) const;

  std::vector<std::string> files_;
  std::vector<TEntryStatus> statuses_;
  std::vector<std::string> unreadable_;
  int fileCount_ = 0;
  int folderCount_ = 0;
  int64_t totalSize_ = 0;
};

}  // namespace zk
