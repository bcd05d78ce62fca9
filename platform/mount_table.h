#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Mount {
    std::string point;  // where it is mounted, unescaped bytes
    std::string type;   // "ext4", "fuse.sshfs", ...
};

// The mounts of /proc/self/mountinfo text that can hold user files: pseudo
// file systems and everything below /proc, /sys and /dev are left out, and a
// point mounted over keeps only its last, visible mount. Sorted by point.
std::vector<Mount> userMounts(std::string_view mountinfo);

}  // namespace platform
