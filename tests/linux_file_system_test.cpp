#include "doubles/giving_up.h"
#include "doubles/hung_mount.h"
#include "doubles/temp_tree.h"
#include "doubles/threads_settled.h"
#include "doubles/tree_lists.h"

#include "actions/tool_commands.h"
#include "browse/lists.h"
#include "platform/platform_failure.h"
#include "platform/linux/linux_file_system.h"
#include "platform/linux/linux_program_starter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

TEST(LinuxFileSystem, AVanishedWorkingDirectoryLeavesEveryDriveItsRoot) {
    TempTree tree;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(tree.directory("gone"));
    std::filesystem::remove(tree / "gone");
    platform::LinuxFileSystem fs;
    platform::NoCheckpoints none;
    const auto drives = fs.drives(none);
    ASSERT_FALSE(drives.empty());
    for (const auto& drive : drives) EXPECT_EQ(fs.currentDirectoryOf(drive), drive.root);
    std::filesystem::current_path(previous);
}

// A private /mnt with a drive on it, and a hung network drive beside it.
TEST(LinuxFileSystem, AHungMountDelaysNeitherTheDriveListNorOtherDrives) {
    if (!privateMountNamespace()) GTEST_SKIP() << "needs root for a private mount namespace";
    ASSERT_EQ(mount("none", "/mnt", "tmpfs", 0, "size=1m"), 0);
    for (const char* point : {"/mnt/usb stick", "/mnt/hung"}) std::filesystem::create_directory(point);
    ASSERT_EQ(mount("none", "/mnt/usb stick", "tmpfs", 0, "size=1m"), 0);
    TempTree stick("/mnt/usb stick");
    stick.file("a.pkg");
    std::optional<HungMount> hung("/mnt/hung");
    ASSERT_TRUE(hung->mounted());

    auto browsing = std::async(std::launch::async, [] {
        ListsOn on(std::make_shared<platform::LinuxFileSystem>());
        browse::Lists& lists = on.lists;
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

// A link into a mount that does not answer is listed (as a file) at once
// instead of holding up its folder, again and again, and the links that do
// answer count as what they are every time: the one thread left on the dead
// mount is all it costs.
TEST(LinuxFileSystem, ALinkIntoAHungMountNeverHoldsUpItsFolderNorOtherLinks) {
    if (!privateMountNamespace()) GTEST_SKIP() << "needs root for a private mount namespace";
    TempTree tree;
    const auto point = tree.directory("hung");
    tree.file("folder/a.pkg");
    std::filesystem::create_symlink(point / "inside", tree / "folder/dead");
    std::filesystem::create_directory_symlink(tree / "folder", tree / "folder/alive");
    std::optional<HungMount> hung(point);
    ASSERT_TRUE(hung->mounted());
    auto fs = std::make_shared<platform::LinuxFileSystem>();
    jobs::Runner jobs([fs](const platform::Path& path) { return fs->driveRootOf(path); });

    auto listings = std::async(std::launch::async, [&] {
        std::vector<platform::DirectoryListing> read;
        for (int round = 0; round < 40; ++round)
            read.push_back(jobs.run({}, [&](jobs::Job& job) { return fs->readDirectory(tree / "folder", job); }));
        return read;
    });
    const bool prompt = listings.wait_for(20s) == std::future_status::ready;
    const int threads = prompt ? threadsOnceSettled(jobs, 1) : jobs.threadsRunning();
    hung.reset();
    ASSERT_TRUE(prompt) << "the listings waited on the hung mount";
    EXPECT_LE(threads, 1) << "one resolver left on the dead mount, however often it is listed";
    for (const platform::DirectoryListing& read : listings.get()) {
        std::vector<std::string> files, folders;
        for (size_t i = 0; i < read.files.size(); ++i) files.emplace_back(read.files[i]);
        for (size_t i = 0; i < read.subdirectories.size(); ++i) folders.emplace_back(read.subdirectories[i]);
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, (std::vector<std::string>{"a.pkg", "dead"}));
        EXPECT_EQ(folders, std::vector<std::string>{"alive"});
    }
}

// A mount whose source leads, by its text, through a mount that does not
// answer: the drive list never looks there.
TEST(LinuxFileSystem, AMountSourceThroughAHungMountDelaysNothing) {
    if (!privateMountNamespace()) GTEST_SKIP() << "needs root for a private mount namespace";
    ASSERT_EQ(mount("none", "/mnt", "tmpfs", 0, "size=1m"), 0);
    for (const char* point : {"/mnt/dead", "/mnt/crafted"}) std::filesystem::create_directory(point);
    std::optional<HungMount> dead("/mnt/dead");
    std::optional<HungMount> crafted(std::in_place, "/mnt/crafted", "/dev/../mnt/dead/x");
    ASSERT_TRUE(dead->mounted() && crafted->mounted());
    auto drives = std::async(std::launch::async, [] {
        platform::NoCheckpoints none;
        return platform::LinuxFileSystem().drives(none);
    });
    const bool prompt = drives.wait_for(10s) == std::future_status::ready;
    crafted.reset();
    dead.reset();
    umount2("/mnt", MNT_DETACH);
    ASSERT_TRUE(prompt) << "the drive list looked through the hung mount";
    const auto found = drives.get();
    EXPECT_TRUE(
        std::any_of(found.begin(), found.end(), [](const auto& drive) { return drive.text == "[/mnt/crafted]"; }));
}

// A folder on PATH that does not answer holds up the tool's job, never the
// one that waits for it: it gives up, and the drive gets no second request.
TEST(LinuxFileSystem, AFolderOnPathThatDoesNotAnswerIsGivenUpLikeAnyOther) {
    if (!privateMountNamespace()) GTEST_SKIP() << "needs root for a private mount namespace";
    TreeLists at;
    const auto point = at.tree.directory("F/bin");
    std::optional<HungMount> hung(point);
    ASSERT_TRUE(hung->mounted());
    const std::string previous = std::getenv("PATH");
    setenv("PATH", (point.native() + ":" + previous).c_str(), 1);
    GivingUp escape;
    at.on.jobs.setWaiter(&escape);
    at.lists.startUp();
    at.lists.selectFile(at.file("top.txt"));
    const auto compress = [&] {
        auto started = std::async(std::launch::async, [&] {
            try {
                actions::startTool(at.lists, std::make_shared<platform::LinuxProgramStarter>(),
                                   actions::Tool::CompressFile);
            } catch (const std::exception& failure) {
                return std::string(failure.what());
            }
            return std::string();
        });
        return started.wait_for(10s) == std::future_status::ready ? started.get() : "still waiting";
    };
    EXPECT_EQ(compress(), jobs::NoAnswer("").what());
    EXPECT_EQ(compress(), jobs::DriveNotAnswering(at.root("F")).what());
    setenv("PATH", previous.c_str(), 1);
    at.on.jobs.setWaiter(nullptr);
    hung.reset();
}

// On ext4 without room for birth times, a new file readily gets the inode
// number of one just deleted; the kernel's file handle still tells them apart.
TEST(LinuxFileSystem, AFileThatReusedAnInodeNumberIsAnotherFile) {
    if (!privateMountNamespace()) GTEST_SKIP() << "needs root for a private mount namespace";
    TempTree tree;
    const std::string image = (tree / "disk.img").native(), point = tree.directory("disk").native();
    std::filesystem::resize_file(tree.file("disk.img", ""), 8 << 20);
    if (std::system(
            ("mkfs.ext4 -q -I 128 " + image + " 2>/dev/null && mount -o loop " + image + " " + point).c_str()) != 0)
        GTEST_SKIP() << "no ext4 loop mount here";
    std::ofstream(point + "/a") << "selected";

    platform::LinuxFileSystem fs;
    const platform::OpenDirectory open = fs.openDirectory(point);
    const auto selected = fs.identifyFile(open, "a");
    std::filesystem::remove(point + "/a");
    std::ofstream(point + "/b") << "new";
    std::filesystem::rename(point + "/b", point + "/a");
    const auto now = fs.identifyFile(open, "a");
    ASSERT_TRUE(selected && now);
    ASSERT_EQ(selected->entry.fileLow, now->entry.fileLow) << "the number was not given again: nothing to tell apart";
    EXPECT_NE(selected, now);
    umount2(point.c_str(), MNT_DETACH);
}

}  // namespace
