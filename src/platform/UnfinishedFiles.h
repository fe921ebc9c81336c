// The outputs now being written, known process-wide so that a signal that ends the process can remove
// them first: a temporary name is deleted, and an output holding plain text is overwritten before it goes.
#pragma once

#include <signal.h>

#include <string>

#include "platform/File.h"

namespace zk {

// How many outputs the table holds at once (a parallel batch keeps its number of rows in flight below).
inline constexpr int kMaxUnfinishedFiles = 64;

// Holds back, in the calling thread while it lives, the signals that end the process and can arrive from
// outside (SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGALRM, the real-time ones and the rest): an output
// is created and remembered under it, so that a signal never finds a file created but not yet in the table;
// the workers of a batch hold them for their whole life, so that the handler runs on the calling thread.
class THeldStopSignals {
 public:
  THeldStopSignals();
  ~THeldStopSignals();
  THeldStopSignals(const THeldStopSignals&) = delete;
  THeldStopSignals& operator=(const THeldStopSignals&) = delete;

 private:
  sigset_t previous_;
};

// Remembers an output until Forget: its open file, and its temporary name unless it has none (an unnamed
// file goes by itself when the process ends). With plainText its bytes are overwritten before it goes.
// Returns a ticket for Forget, or -1 when the table is full or the name too long (the file is then only
// removed by its owner). The owner forgets it before closing the file.
int RememberUnfinished(const File& file, const std::string& temporaryName, bool plainText);
void ForgetUnfinished(int ticket);
// Overwrites the remembered plain outputs, then deletes every remembered temporary name. Async-signal-safe:
// it only reads the table and calls fstat, pwrite, fdatasync and unlink.
void RemoveUnfinishedFiles();
// From now on every signal whose default action ends the process first removes the remembered files, then
// ends the process as the signal would have (status 128 + signal for a shell). A signal ignored from the
// start (nohup, a background job) stays ignored. SIGXFSZ is ignored, so that a write beyond the file-size
// limit fails as an ordinary write error, which the engine reports and cleans up.
void RemoveUnfinishedFilesOnStopSignals();

}  // namespace zk
