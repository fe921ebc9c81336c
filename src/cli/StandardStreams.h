// zkcli's standard output and error. A write that fails on standard output (a full disk, a closed
// descriptor, an I/O error) is an error of the command, as in coreutils: told once on stderr
// ("zkcli: write error: ..."), and the exit status becomes 1. The files are still all worked on: a reader
// that goes away (zkcli ... | head -1) must not stop a run in the middle of its files.
#pragma once

#include <string_view>

namespace zk::cli {

// Puts /dev/null, opened against its direction, on every standard descriptor that is closed, so that no file
// the run opens becomes stdout or stderr and takes in their lines, and a write to a closed stdout still
// fails.
void GuardStandardDescriptors();
// Writes and flushes; a failure is told the first time.
void WriteToStdout(std::string_view text);
// Nothing more can be told when stderr itself fails.
void WriteToStderr(std::string_view text);
// Flushes and closes stdout at the end: `status`, or 1 instead of success when any write to stdout failed.
int FinishStdout(int status);

}  // namespace zk::cli
