#include "mount_watch.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

MountWatch::MountWatch() : fd_(open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC)) {}

MountWatch::~MountWatch() {
    if (fd_ >= 0) close(fd_);
}

}  // namespace platform
