#pragma once

namespace platform {

// Asks the system's allocator to give large blocks back to the system as
// soon as they are freed. Sorting a million names takes tens of megabytes
// for a moment; without this, glibc would keep them resident for as long as
// the program runs. Once, at start-up.
void returnLargeBlocksWhenFreed();

}  // namespace platform
