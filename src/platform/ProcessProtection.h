// What a program that holds passwords does first: no core dump of it, and no other process of the same
// user reads its memory or attaches to it.
#pragma once

namespace zk {

// Marks the process not dumpable (PR_SET_DUMPABLE 0). The kernel then writes no core dump of it, refuses
// ptrace and /proc/PID/mem to every process without CAP_SYS_PTRACE, and gives its /proc files to root.
// It stays so across fork; an exec of a program clears it again. Throws when the kernel refuses.
void ProtectProcessMemory();

}  // namespace zk
