#include "platform_failure.h"

#include <cstring>

namespace platform {

PlatformFailure PlatformFailure::fromErrno(int error, std::string subject) {
    return PlatformFailure(std::strerror(error), std::move(subject));
}

}  // namespace platform
