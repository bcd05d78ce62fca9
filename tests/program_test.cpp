#include "doubles/fake_tool.h"
#include "doubles/hung_mount.h"
#include "doubles/running_program.h"
#include "doubles/tree_lists.h"

#include "platform/linux/linux_file_system.h"
#include "window/qt/qt_dialogs.h"

#include <QComboBox>
#include <QMessageBox>
#include <QTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <cstring>
#include <system_error>

using window::Control;

namespace {

// The whole program on the real file system with the real starter, a fake
// ucc first on PATH, in a temporary tree.
class ProgramTest : public ::testing::Test, public TreeLists {
protected:
    ProgramTest() { tree.file("D/my maps/a b.pkg"); }

    FakeTool tool;
    SystemStarter starter;
    ScriptedDialogs dialogs;
};

// Answers the next modal box with `key` once it shows, and tells what it
// showed; `whileShown` runs while it is up.
struct BoxAnswer {
    explicit BoxAnswer(
        Qt::Key key, std::function<void()> whileShown = [] {}) {
        QObject::connect(&poll, &QTimer::timeout, [this, key, whileShown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            poll.stop();
            seen = {box->windowTitle(), box->text(), box->informativeText(), box->icon() == QMessageBox::NoIcon};
            whileShown();
            QTest::keyClick(box, key);
        });
        poll.start(10);
    }
    struct Seen {
        QString title, text, detail;
        bool noIcon = false;
    } seen;
    QTimer poll;
};

TEST_F(ProgramTest, TheRealConfirmationBoxNamesTheFileAndEscapeMeansNo) {
    window::QtDialogs boxes;
    RunningProgram program(fs, starter, boxes);
    EXPECT_EQ(QApplication::focusWidget(), program.form().control(Control::Drive1));
    program.select("top.txt");
    QWidget* file1 = program.form().control(Control::File1);
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        program.form().control(Control::Command4)->setFocus();  // where the click puts the keyboard
        const QImage before = file1->grab().toImage();
        QImage beneath;
        BoxAnswer answer(key, [&] { beneath = file1->grab().toImage(); });
        program.click(Control::Command4);
        EXPECT_EQ(beneath, before) << "the list stays drawn beneath the question";
        EXPECT_EQ(answer.seen.title, "quarvel2");
        EXPECT_EQ(answer.seen.text, "Are You sure?");
        EXPECT_EQ(answer.seen.detail.toStdString(), path("D/top.txt").native());
        EXPECT_TRUE(answer.seen.noIcon);
        EXPECT_EQ(std::filesystem::exists(path("D/top.txt")), key == Qt::Key_Escape);
    }
    EXPECT_EQ(program.lists().file1().fileName(), "top.txt");  // listed and selected until a refresh
    program.click(Control::Command3);
    EXPECT_EQ(program.lists().file1().listCount(), 0);
}

// Exit, or the window's own close control: the window goes, the program's
// loop ends with it, and a tool still running goes on.
TEST_F(ProgramTest, ExitOrClosingUnloadsTheWindowAndTheToolGoesOn) {
    FakeTool heldTool(true);
    for (const bool exit : {true, false}) {
        RunningProgram program(fs, starter, dialogs);
        program.select("top.txt");
        program.click(Control::Command6);
        ASSERT_EQ(heldTool.running(exit ? 1 : 2).size(), exit ? 1u : 2u);
        QTimer::singleShot(0, [&] { exit ? program.click(Control::Command2) : (void)program.form().close(); });
        EXPECT_EQ(QApplication::exec(), 0) << "the loop ends with the window";
        EXPECT_FALSE(program.form().isVisible());
        EXPECT_EQ(heldTool.running(exit ? 1 : 2).size(), exit ? 1u : 2u) << "the tool runs on";
    }
    heldTool.release();
    EXPECT_EQ(heldTool.calls(2).size(), 2u);
}

// Whatever a step throws is reported once, and the program runs on.
TEST_F(ProgramTest, AnyFailureIsReportedOnceAndTheProgramRunsOn) {
    struct Throwing final : platform::ProgramStarter {
        void start(const platform::ToolCommand&, platform::Checkpoints&) override {
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again), "no thread");
        }
    } throwing;
    RunningProgram program(fs, throwing, dialogs);
    program.click(Control::Command1);
    program.click(Control::Command3);
    ASSERT_EQ(dialogs.reported.size(), 1u);
    EXPECT_NE(dialogs.reported[0].find("no thread"), std::string::npos);
    EXPECT_THROW(program.running.program.raise(Control::Label1, window::Event::Click, -1), std::logic_error);
}

// With the real report box: once it is answered, the window opens and the
// program runs on rather than ending with the box, its only window so far.
TEST_F(ProgramTest, AfterAReportedLoadFailureTheWindowOpensOnTheWorkingDirectory) {
    fs.failReading(root("D"));
    window::QtDialogs boxes;
    BoxAnswer answer(Qt::Key_Return);
    RunningProgram program(fs, starter, boxes);
    EXPECT_EQ(answer.seen.text, "not readable");
    EXPECT_EQ(program.lists().dir1().path(), path("D/work/maps"));
    // The box's closing must not have left a quit waiting: the loop runs what
    // was queued first, then this.
    bool running = false;
    QTimer::singleShot(0, [&] {
        running = program.form().isVisible();
        QApplication::exit(7);
    });
    EXPECT_EQ(QApplication::exec(), 7);
    EXPECT_TRUE(running);
}

// No ucc anywhere: the report says so plainly, where it looked, and what to do.
TEST_F(ProgramTest, AMissingPackerIsReportedWithWhereItWasLookedFor) {
    const std::string previous = std::getenv("PATH");
    setenv("PATH", (tree.directory("empty bin").native() + ":relative:").c_str(), 1);
    RunningProgram program(fs, starter, dialogs);
    program.select("top.txt");
    program.click(Control::Command6);
    setenv("PATH", previous.c_str(), 1);
    ASSERT_EQ(dialogs.reported.size(), 1u);
    EXPECT_EQ(dialogs.reported[0], "No such file or directory\n\nThe packer ucc was not found. Looked in:\n" +
                                       tree.directory("empty bin").native() +
                                       "\n\nInstall ucc, or put it in one of these folders.");
}

TEST_F(ProgramTest, WhatTheStandInPackerWritesShowsAfterRefresh) {
    setenv("PATH", (std::string(UCC_STANDIN_DIR) + ":" + std::getenv("PATH")).c_str(), 1);
    RunningProgram program(fs, starter, dialogs);
    program.open(path("D/my maps"));
    program.select("a b.pkg");
    program.click(Control::Command6);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(path("D/my maps/a b.pkg.gz")) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(program.lists().file1().listCount(), 1);
    program.click(Control::Command3);
    ASSERT_EQ(program.lists().file1().listCount(), 2);
    EXPECT_EQ(program.lists().file1().name(1), "a b.pkg.gz");
    EXPECT_EQ(program.lists().file1().fileName(), "a b.pkg");
}

// Faults of the system, brought about one at a time.
TEST_F(ProgramTest, RunningOutOfFileDescriptorsWhileListingIsReportedOnce) {
    RunningProgram program(fs, starter, dialogs);
    program.select("top.txt");
    auto* refresh = program.control<QAbstractButton>(Control::Command3);
    // Walk the failure path once while descriptors last: a sanitizer runtime
    // checks a type with descriptors of its own the first time it meets it.
    std::filesystem::rename(path("D"), path("D.away"));
    refresh->click();
    std::filesystem::rename(path("D.away"), path("D"));
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
    EXPECT_EQ(program.lists().file1().fileName(), "top.txt");
    program.click(Control::Command3);
    EXPECT_EQ(dialogs.reported.size(), 1u);
}

// Nothing the window shows holds the drive: it unmounts at once, and each
// action on it then reports once and does nothing.
TEST_F(ProgramTest, AShownDriveUnmountsAtOnceAndEachActionOnItReportsOnce) {
    if (!privateMountNamespace()) GTEST_SKIP() << "needs root for a private mount namespace";
    const auto point = tree.directory("D/drive");
    ASSERT_EQ(mount("none", point.c_str(), "tmpfs", 0, "size=1m"), 0);
    std::filesystem::create_directory(point / "inside");
    std::ofstream(point / "inside/a.pkg") << "x";
    RunningProgram program(fs, starter, dialogs);
    program.open(point / "inside");
    program.select("a.pkg");
    ASSERT_EQ(program.lists().file1().fileName(), "a.pkg");

    ASSERT_EQ(umount2(point.c_str(), 0), 0) << std::strerror(errno);
    dialogs.otherwise = true;
    for (Control action : {Control::Command6, Control::Command7, Control::Command4, Control::Command3}) {
        program.click(action);
        EXPECT_EQ(dialogs.reported, std::vector<std::string>{"No such file or directory"});
        dialogs.reported.clear();
    }
    EXPECT_EQ(program.lists().file1().path(), point / "inside");
    EXPECT_EQ(program.lists().file1().fileName(), "a.pkg");
    EXPECT_TRUE(tool.calls().empty());
}

// A drive mounted while the program runs shows in Drive1 by itself, without
// opening the drop-down, and the arrow keys reach it.
TEST_F(ProgramTest, ADriveMountedWhileTheProgramRunsCanBeReachedWithTheArrowKeys) {
    if (!privateMountNamespace()) GTEST_SKIP() << "needs root for a private mount namespace";
    ASSERT_EQ(mount("none", "/media", "tmpfs", 0, "size=1m"), 0);
    std::filesystem::create_directory("/media/stick");
    platform::LinuxFileSystem system;
    RunningProgram program(system, starter, dialogs);
    auto* drives = program.control<QComboBox>(Control::Drive1);
    ASSERT_EQ(drives->findText("[/media/stick]"), -1);

    ASSERT_EQ(mount("none", "/media/stick", "tmpfs", 0, "size=1m"), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return drives->findText("[/media/stick]", Qt::MatchStartsWith) >= 0; }, 5000));
    for (int presses = 0; presses < drives->count() && program.lists().drive1().drive().text != "[/media/stick]";
         ++presses)
        QTest::keyClick(drives, drives->currentIndex() < drives->findText("[/media/stick]", Qt::MatchStartsWith)
                                    ? Qt::Key_Down
                                    : Qt::Key_Up);
    EXPECT_EQ(program.lists().dir1().path(), "/media/stick/");

    umount2("/media/stick", MNT_DETACH);
    umount2("/media", MNT_DETACH);
}

}  // namespace
