#include "platform/directory_handle.h"
#include "platform/platform_failure.h"

#include <cstring>
#include <unistd.h>

namespace platform {

PlatformFailure PlatformFailure::fromSystemError(int code, Path subject) {
    return PlatformFailure(std::strerror(code), std::move(subject));
}

DirectoryHandle::~DirectoryHandle() {
    if (isOpen()) close(static_cast<int>(native_));
}

}  // namespace platform
