#include "cli/OverwriteNotes.h"

#include "platform/OverwriteReach.h"

namespace zk::cli {
namespace {

std::string Reason(const TOverwriteReach& reach) {
  switch (reach.Doubt) {
    case TOverwriteDoubt::kCopyOnWrite:
      return reach.FileSystem + " is a copy-on-write file system: it writes the overwrite to new blocks";
    case TOverwriteDoubt::kLogStructured:
      return reach.FileSystem + " is a log-structured file system: it writes the overwrite to new blocks";
    case TOverwriteDoubt::kOverlay:
      return "overlayfs may keep the original file in a lower layer";
    case TOverwriteDoubt::kNetwork:
      return reach.FileSystem + " keeps the data on another machine or device, out of the overwrite's sight";
    case TOverwriteDoubt::kFlash:
      return "the device is flash storage: wear levelling may keep old copies in cells the overwrite never "
             "sees";
    case TOverwriteDoubt::kNone:
      break;
  }
  return {};
}

}  // namespace

void TOverwriteNotes::BeforeWipe(const std::string& path) {
  const TOverwriteReach reach = OverwriteReachOf(path);
  if (reach.Doubt == TOverwriteDoubt::kNone || !toldFileSystems_.insert(reach.FileSystemId).second) return;
  console_.Error("note: " + path + ": " + Reason(reach) +
                 "; the old data may survive the wipe there. Only full-disk encryption protects data once "
                 "written.");
}

}  // namespace zk::cli
