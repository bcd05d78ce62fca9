#pragma once

#include "mount_table.h"

#include <memory>
#include <mutex>
#include <sys/types.h>
#include <vector>

namespace platform {

// The system's mount table as last read, read again only once the system
// says it changed: /proc/self/mountinfo reports each change to poll(), and
// reading it touches no mount; nor does noting which mount namespace the
// process is in, should it move to another. Thread-safe, and never destroyed, as work
// left behind on a drive may still ask it at the very end.
class MountCache {
public:
    static MountCache& instance();

    struct Snapshot {
        std::shared_ptr<const std::vector<Mount>> mounts;  // all visible mounts, sorted by point
        unsigned generation = 0;                           // counts the changes seen
    };
    Snapshot now();

private:
    MountCache();
    std::mutex mutex_;
    int fd_ = -1;
    ino_t namespace_ = 0;
    Snapshot current_;
};

// The root's path text of a mount point: "/" for "/", else the point and "/".
std::string rootText(const std::string& mountPoint);

}  // namespace platform
