#include "platform/memory.h"

#include <malloc.h>

namespace platform {

// A fixed threshold: glibc otherwise raises it to the largest block freed
// so far, and every block below that stays in the heap once freed.
void returnLargeBlocksWhenFreed() { mallopt(M_MMAP_THRESHOLD, 256 * 1024); }

}  // namespace platform
