#include "platform/platform_failure.h"

#include <cerrno>
#include <cstring>

namespace platform {

PlatformFailure PlatformFailure::fromSystemError(int code, Path subject) {
    return PlatformFailure(std::strerror(code), std::move(subject));
}

ProgramNotFound::ProgramNotFound(Path program, std::vector<Path> searched)
    : PlatformFailure(fromSystemError(ENOENT, std::move(program))), searched_(std::move(searched)) {}

}  // namespace platform
