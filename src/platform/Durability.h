// Making finished work survive a crash or power loss.
#pragma once

#include <string>

namespace zk {

// Opens the file and fsyncs it. Throws FileError.
void SyncFile(const std::string& path);
// Fsyncs the folder holding path, so that a create, rename or unlink in it is on disk. Throws FileError.
void SyncFolderOf(const std::string& path);

}  // namespace zk
