#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The drive table: what is mounted where, read from text only. Nothing here
// looks at a mount point itself, so a hung network or FUSE mount cannot block.
namespace platform {

struct Mount {
    std::string point;   // where it is mounted, unescaped bytes
    std::string type;    // "ext4", "fuse.sshfs", ...
    std::string source;  // "/dev/sdb1", "server:/x", ..., unescaped
};

// The visible mounts of /proc/self/mountinfo text, sorted by point. A point
// mounted over keeps only its top mount, and mounts inside a covered one are
// gone with it. Lines that do not parse are skipped.
std::vector<Mount> parseMountInfo(std::string_view mountinfo);

// The mount whose point holds the absolute `path` (the longest matching point,
// "/" holding everything), compared by path components without touching the
// file system. nullptr when none holds it, or when `path` is not absolute.
const Mount* mountHolding(const std::vector<Mount>& mounts, std::string_view path);

// The mounts a desktop user counts as drives, sorted by point: "/", mounts at
// or below /media and /mnt, below /run/media/<any user>, and at or below
// `home` (unless it is "/"), but no kernel interfaces, squashfs images,
// overlays or mounts in hidden folders. So nothing under /proc, /sys, /dev,
// /boot, /run/user or /snap. The mount holding `workingDirectory` (when not
// empty) is always one of them.
std::vector<Mount> desktopMounts(const std::vector<Mount>& mounts, std::string_view home,
                                 std::string_view workingDirectory);

// The parts of a path between slashes, "." dropped and ".." taking back the
// part before it, by the text alone.
std::vector<std::string_view> pathComponents(std::string_view path);
// udev writes blanks, slashes and other unsafe bytes in link names as \xHH.
std::string unescapeHex(std::string_view name);

}  // namespace platform
