#include "doubles/temp_tree.h"

#include "platform/linux/device_links.h"
#include "platform/linux/mount_table.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> points(const std::vector<platform::Mount>& mounts, bool withTypes = false) {
    std::vector<std::string> lines;
    for (const auto& mount : mounts)
        lines.push_back(withTypes ? mount.point + " " + mount.type + " " + mount.source : mount.point);
    return lines;
}

TEST(MountTable, ParsesTheVisibleMounts) {
    const struct {
        const char* mountinfo;
        std::vector<std::string> expected;
    } cases[] = {
        {"24 1 8:1 / / rw shared:1 master:2 - ext4 /dev/sda1 rw\n"
         "30 24 8:17 / /mnt/trail\\040 rw - vfat /dev/sdb\\0401 rw\n"
         "31 24 0:40 / /mnt/a\\134b\\011c rw - nfs server:/x rw\n"
         "garbage line\n",
         {"/ ext4 /dev/sda1", "/mnt/a\\b\tc nfs server:/x", "/mnt/trail  vfat /dev/sdb 1"}},
        // The top mount at a point hides the others, and whatever was mounted inside them.
        {"30 24 0:27 / /mnt/remote rw - fuse.sshfs host: rw\n"
         "32 24 0:29 / /mnt/remote rw - nfs server:/x rw\n"
         "42 43 0:52 / /media/y rw - ext4 /dev/sde1 rw\n"  // moved onto the mount below
         "43 24 0:53 / /media/y rw - vfat /dev/sdf1 rw\n"
         "61 30 0:62 / /mnt/remote/hidden rw - ext4 /dev/sdg1 rw\n",
         {"/media/y ext4 /dev/sde1", "/mnt/remote nfs server:/x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(points(platform::parseMountInfo(c.mountinfo), true), c.expected) << c.mountinfo;
}

TEST(MountTable, FindsTheMountHoldingAPath) {
    const std::vector<platform::Mount> mounts = {
        {"/", "ext4", ""}, {"/media/A", "vfat", ""}, {"/media/A/in", "nfs", ""}};
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"/media/A", "/media/A"}, {"/media/A/", "/media/A"},           {"/media/A/x", "/media/A"},
        {"/media/AB", "/"},       {"/media/A/in/deep", "/media/A/in"}, {"/media/A/in/../x", "/media/A"},
        {"media/A", ""},
    };
    for (const auto& [path, holder] : cases) {
        const platform::Mount* found = platform::mountHolding(mounts, path);
        EXPECT_EQ(found ? found->point : "", holder) << path;
    }
}

TEST(MountTable, ShowsWhatADesktopUserCallsDrives) {
    const auto mounts = platform::parseMountInfo(
        "1 0 0:1 / / rw - overlay overlay rw\n"
        "2 1 0:2 / /proc rw - proc proc rw\n"
        "5 1 0:5 / /dev/shm rw - tmpfs tmpfs rw\n"
        "6 1 0:6 / /run/user/1000 rw - tmpfs tmpfs rw\n"
        "7 1 8:1 / /boot/efi rw - vfat /dev/sda1 rw\n"
        "8 1 7:0 / /snap/core/123 ro - squashfs /dev/loop0 ro\n"
        "9 1 8:17 / /media/alice/STICK rw - vfat /dev/sdb1 rw\n"
        "10 1 8:33 / /run/media/bob/DISK rw - ext4 /dev/sdc1 rw\n"
        "11 1 0:11 / /mnt/nas rw - nfs4 server:/share rw\n"
        "13 1 8:2 / /home rw - ext4 /dev/sda2 rw\n"
        "14 13 0:14 / /home/alice/remote rw - fuse.sshfs host:/ rw\n"
        "15 13 0:15 / /home/alice/.local/share/containers/x/merged rw - fuse-overlayfs o rw\n"
        "16 1 0:16 / /tmp rw - tmpfs tmpfs rw\n");
    const std::vector<std::string> everywhere = {"/", "/media/alice/STICK", "/mnt/nas", "/run/media/bob/DISK"};
    const struct {
        const char* home;
        const char* workingDirectory;
        std::vector<std::string> extra;
    } cases[] = {
        {"/", "", {}},
        {"/home/alice", "/home/alice/remote/x", {"/home/alice/remote"}},
        {"/home", "/tmp/work", {"/home", "/home/alice/remote", "/tmp"}},  // the working directory's drive is always one
        {"/root", "/boot/efi/EFI", {"/boot/efi"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected = everywhere;
        expected.insert(expected.end(), c.extra.begin(), c.extra.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(points(platform::desktopMounts(mounts, c.home, c.workingDirectory)), expected)
            << c.home << " " << c.workingDirectory;
    }
}

TEST(DeviceLinks, ReadVolumeLabelsAsUdevWritesThemAndNeverLeaveTheirFolder) {
    TempTree tree;
    const std::string dev = (tree / "dev").native();
    tree.file("dev/sdb1");
    tree.file("dev/dm-0");
    tree.file("outside");
    tree.directory("dev/disk/by-label");
    tree.directory("dev/mapper");
    std::filesystem::create_symlink("../../sdb1", tree / "dev/disk/by-label/My\\x20Stick\\x2f2");
    std::filesystem::create_symlink("../../gone", tree / "dev/disk/by-label/GONE");
    std::filesystem::create_symlink("../../../outside", tree / "dev/disk/by-label/OUT");
    std::filesystem::create_symlink("../dm-0", tree / "dev/mapper/root");
    const platform::DeviceLinks links({}, dev);
    EXPECT_EQ(links.labels(),
              (std::map<std::string, std::string>{{dev + "/sdb1", "My Stick/2"}, {dev + "/gone", "GONE"}}));
    EXPECT_EQ(links.resolve(dev + "/mapper/root"), dev + "/dm-0");
    EXPECT_EQ(links.resolve(dev + "/disk/by-label/OUT"), dev + "/disk/by-label/OUT") << "it leads out: left as it is";
    // By its text alone, a path that leaves the folder is never read: not
    // even a link there, which would lead back in.
    std::filesystem::create_symlink(dev + "/sdb1", tree / "back-in");
    EXPECT_EQ(links.resolve(dev + "/../back-in"), dev + "/../back-in");
}

}  // namespace
