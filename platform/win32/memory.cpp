#include "platform/memory.h"

namespace platform {

// The Windows heap gives blocks this large to the system and back on its own.
void returnLargeBlocksWhenFreed() {}

}  // namespace platform
