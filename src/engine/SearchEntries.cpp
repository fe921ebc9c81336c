#include "SearchEntries.h"

#include "platform/File.h"
#include "platform/FileInfo.h"
#include "platform/FolderNames.h"
#include "platform/Paths.h"

namespace zk {

std::optional<TResultKind> SearchEntryVerdict(TBatchMode mode, const std::string& path) {
  const TEntryStatus entry = QueryEntry(path);
  const bool folder = entry.attributes != kAttrInvalid && (entry.attributes & kAttrDirectory) != 0;
  if (folder && entry.link) {
    switch (mode) {
      case TBatchMode::kEncrypt:
        return TResultKind::kEncryptFolderLinkNotFollowed;
      case TBatchMode::kDecrypt:
        return TResultKind::kDecryptFolderLinkNotFollowed;
      case TBatchMode::kWipe:
        return std::nullopt;
    }
  }
  if (folder && ReadFolderNames(path).State == TFolderRead::kUnreadable)
    return TResultKind::kFolderUnreadable;
  // A wipe takes it as any file: wiping the leftovers of an interrupted run is what a user may well want.
  if (mode != TBatchMode::kWipe && LastComponent(path).find(kUnfinishedMark) != std::string::npos)
    return TResultKind::kUnfinishedFileSkipped;
  return std::nullopt;
}

}  // namespace zk
