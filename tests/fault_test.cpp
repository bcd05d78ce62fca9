#include "doubles/fake_tool.h"
#include "doubles/running_program.h"

#include "browse/dir_list.h"
#include "browse/file_list.h"
#include "platform/posix_file_system.h"
#include "platform/posix_program_starter.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {

// The real program on the real system, opened on a temporary tree, with
// faults brought about one at a time.
class FaultTest : public ::testing::Test {
protected:
    FaultTest() { tree.file("a.pkg"); }

    std::unique_ptr<RunningProgram> start(const std::string& directory) {
        auto program = std::make_unique<RunningProgram>(fs, starter, box);
        program->lists().dir1.setPath(directory);
        program->lists().file1.setListIndex(0);
        return program;
    }

    TempTree tree;
    platform::PosixFileSystem fs;
    platform::PosixProgramStarter starter;
    ScriptedMessageBox box;
};

TEST_F(FaultTest, AToolThatCannotRunIsReportedOnceAndTheProgramGoesOn) {
    TempTree bin;
    const std::string previous = std::getenv("PATH");
    struct Case { const char* name; std::string script; mode_t mode; std::string failure; };
    const std::vector<Case> cases = {
        {"no ucc on PATH", "", 0, "No such file or directory"},
        {"a ucc that is not executable", "#!/bin/sh\n", 0644, "Permission denied"},
        {"a ucc that is not a program", "\x7f" "ELF garbage", 0755, "Exec format error"},
    };
    auto program = start(tree.root().native());
    for (const Case& c : cases) {
        std::filesystem::remove(bin / "ucc");
        if (!c.script.empty()) {
            bin.file("ucc", c.script);
            chmod((bin / "ucc").c_str(), c.mode);
        }
        setenv("PATH", bin.root().c_str(), 1);
        program->report.reported.clear();
        program->click("Command6");
        EXPECT_EQ(program->report.reported, std::vector<std::string>{c.failure}) << c.name;
    }
    setenv("PATH", previous.c_str(), 1);
    FakeTool tool;  // and once it is there, it starts
    program->click("Command7");
    EXPECT_EQ(tool.calls(1).size(), 1u);
}

TEST_F(FaultTest, RunningOutOfFileDescriptorsWhileListingIsReportedOnce) {
    auto program = start(tree.root().native());
    auto* refresh = program->control<QAbstractButton>("Command3");
    // Walk the failure path once while descriptors last: a sanitizer runtime
    // checks a type with descriptors of its own the first time it meets it.
    const auto away = tree.root().native() + ".away";
    std::filesystem::rename(tree.root(), away);
    refresh->click();
    std::filesystem::rename(away, tree.root());
    ASSERT_EQ(program->report.reported, std::vector<std::string>{"No such file or directory"});
    program->report.reported.clear();

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
    EXPECT_EQ(program->report.reported, std::vector<std::string>{"Too many open files"});
    EXPECT_EQ(program->lists().file1.fileName(), "a.pkg");
    program->click("Command3");
    EXPECT_EQ(program->report.reported.size(), 1u);
}

TEST_F(FaultTest, ADriveUnmountedWhileOpenIsReportedOnce) {
    if (geteuid() != 0 || unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "needs root for a private mount namespace";
    const auto point = tree.directory("drive");
    ASSERT_EQ(mount("none", point.c_str(), "tmpfs", 0, "size=1m"), 0);
    std::filesystem::create_directory(point / "inside");
    std::ofstream(point / "inside/x.pkg") << "x";
    auto program = start((point / "inside").native());
    ASSERT_EQ(program->lists().file1.fileName(), "x.pkg");

    ASSERT_EQ(umount2(point.c_str(), MNT_DETACH), 0);
    program->click("Command3");
    EXPECT_EQ(program->report.reported, std::vector<std::string>{"No such file or directory"});
    EXPECT_EQ(program->lists().file1.path(), (point / "inside").native());
    EXPECT_EQ(program->lists().file1.fileName(), "x.pkg");
    box.otherwise = platform::Answer::Yes;
    program->click("Command4");  // the file went with its drive
    EXPECT_EQ(program->report.reported.back(), "No such file or directory");
}

}  // namespace
