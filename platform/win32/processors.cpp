#include "platform/processors.h"

#include <bit>
#include <windows.h>

namespace platform {

int processorsAvailable() {
    DWORD_PTR process = 0, system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) return 1;
    const int count = std::popcount(static_cast<unsigned long long>(process));
    return count > 0 ? count : 1;
}

}  // namespace platform
