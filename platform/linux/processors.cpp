#include "platform/processors.h"

#include <sched.h>

namespace platform {

int processorsAvailable() {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return 1;
    const int count = CPU_COUNT(&allowed);
    return count > 0 ? count : 1;
}

}  // namespace platform
