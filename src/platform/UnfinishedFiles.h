// The files now being written under a temporary name, known process-wide so that a handler of a signal
// that ends the process can remove them first.
#pragma once

#include <signal.h>

#include <string>

namespace zk {

// Holds back SIGINT, SIGTERM and SIGHUP in the calling thread while it lives: a temporary is created and
// remembered under it, so that a signal never finds a file created but not yet in the table.
class THeldStopSignals {
 public:
  THeldStopSignals();
  ~THeldStopSignals();
  THeldStopSignals(const THeldStopSignals&) = delete;
  THeldStopSignals& operator=(const THeldStopSignals&) = delete;

 private:
  sigset_t previous_;
};

// Remembers a temporary until Forget; returns a ticket for Forget, or -1 when the table is full or the
// path too long (the file is then only removed by its owner).
int RememberUnfinished(const std::string& path);
void ForgetUnfinished(int ticket);
// Deletes every remembered file. Async-signal-safe: it only reads the table and calls unlink.
void RemoveUnfinishedFiles();

}  // namespace zk
