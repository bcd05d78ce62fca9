#include "platform/platform_failure.h"

#include <cstring>

namespace platform {

PlatformFailure PlatformFailure::fromSystemError(int code, Path subject) {
    return PlatformFailure(std::strerror(code), std::move(subject));
}

}  // namespace platform
