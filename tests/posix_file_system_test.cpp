#include "doubles/hung_mount.h"
#include "doubles/temp_tree.h"

#include "browse/lists.h"
#include "platform/platform_failure.h"
#include "platform/posix/posix_file_system.h"

#include <algorithm>
#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

TEST(PosixFileSystem, AVanishedWorkingDirectoryLeavesEveryDriveItsRoot) {
    TempTree tree;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(tree.directory("gone"));
    std::filesystem::remove(tree / "gone");
    platform::PosixFileSystem fs;
    const auto drives = fs.drives();
    ASSERT_FALSE(drives.empty());
    for (const auto& drive : drives) EXPECT_EQ(fs.currentDirectoryOf(drive), drive.root);
    std::filesystem::current_path(previous);
}

// A private /mnt with a drive on it, and a hung network drive beside it.
TEST(PosixFileSystem, AHungMountDelaysNeitherTheDriveListNorOtherDrives) {
    if (geteuid() != 0 || unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "needs root for a private mount namespace";
    ASSERT_EQ(mount("none", "/mnt", "tmpfs", 0, "size=1m"), 0);
    for (const char* point : {"/mnt/usb stick", "/mnt/hung"}) std::filesystem::create_directory(point);
    ASSERT_EQ(mount("none", "/mnt/usb stick", "tmpfs", 0, "size=1m"), 0);
    TempTree stick("/mnt/usb stick");
    stick.file("a.pkg");
    std::optional<HungMount> hung("/mnt/hung");
    ASSERT_TRUE(hung->mounted());

    auto browsing = std::async(std::launch::async, [] {
        platform::PosixFileSystem fs;
        browse::Lists lists(fs);
        lists.startUp();
        std::vector<std::string> texts;
        for (const auto& drive : lists.drive1().drives()) texts.push_back(drive.text);
        lists.pickDrive(static_cast<int>(std::find(texts.begin(), texts.end(), "[/mnt/usb stick]") - texts.begin()));
        return std::make_pair(texts, lists.dir1().path().native());
    });
    const bool prompt = browsing.wait_for(10s) == std::future_status::ready;
    hung.reset();  // whatever waits on it wakes now
    ASSERT_TRUE(prompt) << "something touched the hung mount";
    const auto [texts, opened] = browsing.get();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "[/mnt/hung]"), texts.end());
    EXPECT_EQ(opened, "/mnt/usb stick/");
    umount2("/mnt", MNT_DETACH);
}

}  // namespace
