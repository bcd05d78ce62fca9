#pragma once

namespace platform {

// How many processors this process may run on now: its affinity, so that a
// program started under `taskset` or in a cgroup's cpuset counts what it
// really has. At least 1.
int processorsAvailable();

}  // namespace platform
