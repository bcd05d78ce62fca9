#pragma once

namespace platform {

// Tells when the mount table changes, as desktop mount monitors learn it:
// /proc/self/mountinfo reports each change to poll() as an exceptional
// condition (POLLPRI), without touching any mount. An event loop watches
// descriptor() for that, then reads the drives again.
class MountWatch {
public:
    MountWatch();
    ~MountWatch();
    MountWatch(const MountWatch&) = delete;
    MountWatch& operator=(const MountWatch&) = delete;

    // -1 when the table cannot be watched.
    int descriptor() const { return fd_; }

private:
    int fd_ = -1;
};

}  // namespace platform
