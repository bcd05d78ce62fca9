#include "platform/mount_table.h"

#include <gtest/gtest.h>

namespace {

TEST(MountTable, KeepsPlacesForUserFilesOnly) {
    const std::string mountinfo =
        "22 1 0:21 / /proc rw,nosuid - proc proc rw\n"
        "23 1 0:22 / /sys rw - sysfs sysfs rw\n"
        "24 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "25 24 0:23 / /dev rw - devtmpfs udev rw\n"
        "26 25 0:24 / /dev/shm rw - tmpfs tmpfs rw\n"
        "27 23 0:25 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
        "28 24 8:2 / /home rw shared:2 master:1 - xfs /dev/sda2 rw\n"
        "29 24 0:26 / /media/My\\040Stick rw - vfat /dev/sdb1 rw\n"
        "30 24 0:27 / /mnt/remote rw - fuse.sshfs host: rw\n"
        "31 24 0:28 / /run/user/0 rw - tmpfs tmpfs rw\n"
        "32 24 0:29 / /mnt/remote rw - nfs server:/x rw\n"   // mounted over the sshfs one
        "33 24 0:30 / /proc/sys/fs/binfmt_misc rw - binfmt_misc binfmt_misc rw\n"
        "34 24 0:31 / /boot/efi rw - autofs systemd-1 rw\n"
        "garbage line\n";
    const auto mounts = platform::userMounts(mountinfo);
    std::vector<std::string> seen;
    for (const auto& mount : mounts) seen.push_back(mount.point + " " + mount.type);
    EXPECT_EQ(seen, (std::vector<std::string>{"/ ext4", "/home xfs", "/media/My Stick vfat", "/mnt/remote nfs",
                                              "/run/user/0 tmpfs"}));
}

}  // namespace
