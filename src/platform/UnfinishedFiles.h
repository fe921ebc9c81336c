// The files now being written under a temporary name, known process-wide so that a handler of a signal
// that ends the process can remove them first.
#pragma once

#include <signal.h>

#include <string>

namespace zk {

// How many temporaries the table holds at once (a parallel batch keeps its number of rows in flight below).
inline constexpr int kMaxUnfinishedFiles = 64;

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
// From now on SIGINT, SIGTERM and SIGHUP (Ctrl-C, a kill, a closed terminal or session) first delete the
// remembered files, then end the process as the signal would have (status 128 + signal for a shell). A
// signal ignored from the start (nohup, a background job) stays ignored.
void RemoveUnfinishedFilesOnStopSignals();

}  // namespace zk
