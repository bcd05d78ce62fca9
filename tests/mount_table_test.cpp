#include "platform/posix/mount_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "doubles/temp_tree.h"

namespace {

std::vector<std::string> described(const std::vector<platform::Mount>& mounts) {
    std::vector<std::string> lines;
    for (const auto& mount : mounts) lines.push_back(mount.point + " " + mount.type + " " + mount.source);
    return lines;
}

TEST(MountTable, ParsesTheVisibleMounts) {
    const struct {
        const char* mountinfo;
        std::vector<std::string> expected;
    } cases[] = {
        {"24 1 8:1 / / rw shared:1 master:2 - ext4 /dev/sda1 rw\n"
         "30 24 8:17 / /mnt/trail\\040 rw - vfat /dev/sdb\\0401 rw\n"
         "31 24 0:40 / /mnt/a\\134b\\011c rw - nfs server:/x rw",
         {"/ ext4 /dev/sda1", "/mnt/a\\b\tc nfs server:/x", "/mnt/trail  vfat /dev/sdb 1"}},
        // The top mount at a point hides the others: by ids, else the later one.
        {"30 24 0:27 / /mnt/remote rw - fuse.sshfs host: rw\n"
         "32 24 0:29 / /mnt/remote rw - nfs server:/x rw\n"
         "40 24 0:50 / /media/x rw - vfat /dev/sdc1 rw\n"
         "41 40 0:51 / /media/x rw - ext4 /dev/sdd1 rw\n"
         "42 43 0:52 / /media/y rw - ext4 /dev/sde1 rw\n"   // moved onto the mount below
         "43 24 0:53 / /media/y rw - vfat /dev/sdf1 rw",
         {"/media/x ext4 /dev/sdd1", "/media/y ext4 /dev/sde1", "/mnt/remote nfs server:/x"}},
        // A mount moved under a later one stays; one inside a covered mount goes with it.
        {"50 70 0:60 / /mnt/late/moved rw - ext4 /dev/sde1 rw\n"
         "60 24 0:61 / /mnt/up rw - ext4 /dev/sdf1 rw\n"
         "61 60 0:62 / /mnt/up/hidden rw - ext4 /dev/sdg1 rw\n"
         "62 60 0:63 / /mnt/up rw - xfs /dev/sdh1 rw\n"
         "70 24 0:64 / /mnt/late rw - ext4 /dev/sdi1 rw\n"
         "garbage line\n"
         "71 24 0:65 / /mnt/short rw - ext4\n",
         {"/mnt/late ext4 /dev/sdi1", "/mnt/late/moved ext4 /dev/sde1", "/mnt/up xfs /dev/sdh1"}},
    };
    for (const auto& c : cases) EXPECT_EQ(described(platform::parseMountInfo(c.mountinfo)), c.expected) << c.mountinfo;
}

TEST(MountTable, FindsTheMountHoldingAPath) {
    const std::vector<platform::Mount> mounts = {
        {"/", "ext4", ""}, {"/media/A", "vfat", ""}, {"/media/A/in", "nfs", ""}};
    const std::vector<platform::Mount> rootless = {{"/media/A", "vfat", ""}};
    const struct {
        const std::vector<platform::Mount>& mounts;
        const char* path;
        const char* holder;  // "" for none
    } cases[] = {
        {mounts, "/media/A", "/media/A"},     {mounts, "/media/A/", "/media/A"},
        {mounts, "/media/A/x", "/media/A"},   {mounts, "/media//A/./x", "/media/A"},
        {mounts, "/media/AB", "/"},           {mounts, "/media/A/in/deep", "/media/A/in"},
        {mounts, "/media/A/in/../x", "/media/A"}, {mounts, "/", "/"},
        {mounts, "media/A", ""},              {rootless, "/media/AB", ""},
    };
    for (const auto& c : cases) {
        const platform::Mount* holder = platform::mountHolding(c.mounts, c.path);
        EXPECT_EQ(holder ? holder->point : "", c.holder) << c.path;
    }
}

TEST(MountTable, ShowsWhatADesktopUserCallsDrives) {
    const auto mounts = platform::parseMountInfo(
        "1 0 0:1 / / rw - overlay overlay rw\n"
        "2 1 0:2 / /proc rw - proc proc rw\n"
        "3 2 0:3 / /proc/sys/fs/binfmt_misc rw - binfmt_misc binfmt_misc rw\n"
        "4 1 0:4 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
        "5 1 0:5 / /dev/shm rw - tmpfs tmpfs rw\n"
        "6 1 0:6 / /run/user/1000 rw - tmpfs tmpfs rw\n"
        "7 1 8:1 / /boot/efi rw - vfat /dev/sda1 rw\n"
        "8 1 7:0 / /snap/core/123 ro - squashfs /dev/loop0 ro\n"
        "9 1 8:17 / /media/alice/STICK rw - vfat /dev/sdb1 rw\n"
        "10 1 8:33 / /run/media/bob/DISK rw - ext4 /dev/sdc1 rw\n"
        "11 1 0:11 / /mnt/nas rw - nfs4 server:/share rw\n"
        "12 1 0:12 / /mnt/auto rw - autofs systemd-1 rw\n"
        "13 1 8:2 / /home rw - ext4 /dev/sda2 rw\n"
        "14 13 0:14 / /home/alice/remote rw - fuse.sshfs host:/ rw\n"
        "15 13 0:15 / /home/alice/.local/share/containers/x/merged rw - fuse-overlayfs o rw\n"
        "16 1 0:16 / /tmp rw - tmpfs tmpfs rw\n"
        "17 1 0:17 / /var/lib/docker/overlay2/x/merged rw - overlay overlay rw\n"
        "18 1 7:1 / /media/alice/image rw - squashfs /dev/loop1 ro\n"
        "19 13 0:19 / /home/alice/.gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
        "20 1 0:20 / /mnt/merged rw - overlay overlay rw\n");
    const std::vector<std::string> everywhere = {"/", "/media/alice/STICK", "/mnt/nas", "/run/media/bob/DISK"};
    const struct {
        const char* home;
        const char* workingDirectory;
        std::vector<std::string> extra;
    } cases[] = {
        {"", "", {}},
        {"/", "", {}},
        {"/home/alice", "", {"/home/alice/remote"}},
        {"/home/alice/", "/home/alice/remote/x", {"/home/alice/remote"}},
        {"/home", "/tmp/work", {"/home", "/home/alice/remote", "/tmp"}},
        {"/root", "/boot/efi/EFI", {"/boot/efi"}},
        {"/root", "/var/cache", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected = everywhere;
        expected.insert(expected.end(), c.extra.begin(), c.extra.end());
        std::ranges::sort(expected);
        std::vector<std::string> seen;
        for (const auto& mount : platform::desktopMounts(mounts, c.home, c.workingDirectory))
            seen.push_back(mount.point);
        EXPECT_EQ(seen, expected) << "home " << c.home << ", working in " << c.workingDirectory;
    }
}

TEST(MountTable, ReadsVolumeLabelsAsUdevWritesThem) {
    TempTree tree;
    tree.file("dev/sdb1");
    tree.file("dev/sdc1");
    tree.directory("by-label");
    std::filesystem::create_directory_symlink("../dev/sdb1", tree / "by-label/My\\x20Stick\\x2f2");
    std::filesystem::create_directory_symlink("../dev/sdc1", tree / "by-label/BACKUP\\x2");
    std::filesystem::create_directory_symlink("../dev/gone", tree / "by-label/GONE");
    const std::string dev = std::filesystem::canonical(tree / "dev").native();
    EXPECT_EQ(platform::volumeLabels((tree / "by-label").native()),
              (std::map<std::string, std::string>{{dev + "/sdb1", "My Stick/2"}, {dev + "/sdc1", "BACKUP\\x2"}}));
    EXPECT_TRUE(platform::volumeLabels((tree / "missing").native()).empty());
}

}  // namespace
