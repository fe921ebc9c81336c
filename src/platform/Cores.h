// How many processors this process may run on.
#pragma once

namespace zk {

// The processors in the process's affinity mask (sched_getaffinity); at least 1.
int AvailableCores();

}  // namespace zk
