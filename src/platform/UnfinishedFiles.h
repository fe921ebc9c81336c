// The files now being written under a temporary name, known process-wide so that a handler of a signal
// that ends the process can remove them first.
#pragma once

#include <string>

namespace zk {

// Remembers a temporary until Forget; returns a ticket for Forget, or -1 when the table is full or the
// path too long (the file is then only removed by its owner).
int RememberUnfinished(const std::string& path);
void ForgetUnfinished(int ticket);
// Deletes every remembered file. Async-signal-safe: it only reads the table and calls unlink.
void RemoveUnfinishedFiles();

}  // namespace zk
