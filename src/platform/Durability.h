// Making finished work survive a crash or power loss.
#pragma once

#include <string>
#include <vector>

namespace zk {

// Opens the file and fsyncs it. Throws FileError.
void SyncFile(const std::string& path);
// Fsyncs the folder holding path, so that a create, rename or unlink in it is on disk. Throws FileError.
void SyncFolderOf(const std::string& path);
// Flushes the file systems holding the open files, each once (syncfs): for many small files written at
// once far cheaper than an fsync of each. False when one of them could not be flushed.
bool SyncFileSystems(const std::vector<int>& descriptors);

}  // namespace zk
