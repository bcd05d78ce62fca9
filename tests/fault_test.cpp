#include "doubles/running_program.h"
#include "doubles/temp_tree.h"

#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>

using window::Control;

namespace {

// The real program on the real system, opened on a temporary tree, with
// faults brought about one at a time.
class FaultTest : public ::testing::Test {
protected:
    FaultTest() { tree.file("a.pkg"); }

    std::unique_ptr<RunningProgram> start(const std::filesystem::path& directory) {
        auto program = std::make_unique<RunningProgram>(fs, starter, dialogs);
        program->open(directory);
        program->select("a.pkg");
        return program;
    }

    TempTree tree;
    platform::PosixFileSystem fs;
    RecordingStarter starter;
    ScriptedDialogs dialogs;
};

TEST_F(FaultTest, RunningOutOfFileDescriptorsWhileListingIsReportedOnce) {
    auto program = start(tree.root());
    auto* refresh = program->control<QAbstractButton>(Control::Command3);
    // Walk the failure path once while descriptors last: a sanitizer runtime
    // checks a type with descriptors of its own the first time it meets it.
    const auto away = tree.root().native() + ".away";
    std::filesystem::rename(tree.root(), away);
    refresh->click();
    std::filesystem::rename(away, tree.root());
    ASSERT_EQ(dialogs.reported, std::vector<std::string>{"No such file or directory"});
    dialogs.reported.clear();

    rlimit previous;
    getrlimit(RLIMIT_NOFILE, &previous);
    std::vector<int> held;  // use up every descriptor there is
    rlimit low = previous;
    low.rlim_cur = 64;
    setrlimit(RLIMIT_NOFILE, &low);
    for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;) held.push_back(fd);

    refresh->click();  // the button's own click: a simulated mouse event wants descriptors too
    for (int fd : held) close(fd);
    setrlimit(RLIMIT_NOFILE, &previous);
    EXPECT_EQ(dialogs.reported, std::vector<std::string>{"Too many open files"});
    EXPECT_EQ(program->lists().file1().fileName(), "a.pkg");
    program->click(Control::Command3);
    EXPECT_EQ(dialogs.reported.size(), 1u);
}

TEST_F(FaultTest, ADriveUnmountedWhileOpenIsReportedOnce) {
    if (geteuid() != 0 || unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "needs root for a private mount namespace";
    const auto point = tree.directory("drive");
    ASSERT_EQ(mount("none", point.c_str(), "tmpfs", 0, "size=1m"), 0);
    std::filesystem::create_directory(point / "inside");
    std::ofstream(point / "inside/a.pkg") << "x";
    auto program = start(point / "inside");
    ASSERT_EQ(program->lists().file1().fileName(), "a.pkg");

    ASSERT_EQ(umount2(point.c_str(), MNT_DETACH), 0);
    program->click(Control::Command3);
    EXPECT_EQ(dialogs.reported, std::vector<std::string>{"No such file or directory"});
    EXPECT_EQ(program->lists().file1().path(), point / "inside");
    EXPECT_EQ(program->lists().file1().fileName(), "a.pkg");
    dialogs.otherwise = true;
    program->click(Control::Command4);  // the file is still there, on the detached drive the list holds
    EXPECT_EQ(dialogs.reported.size(), 1u);
}

}  // namespace
