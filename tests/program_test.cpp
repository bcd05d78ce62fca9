#include "doubles/fake_tool.h"
#include "doubles/memory_file_system.h"
#include "doubles/running_program.h"

#include "browse/dir_list.h"
#include "browse/drive_list.h"
#include "browse/file_list.h"
#include "platform/posix_file_system.h"
#include "platform/posix_program_starter.h"
#include "platform/qt_dialogs.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using platform::Answer;

namespace {

// The whole program on the real file system and the real starter, with a fake
// ucc first on PATH, working in a temporary tree.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() {
        tree.file("a.pkg");
        tree.file("my maps/a b.pkg");
        tree.directory("sub");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(tree.root());
    }
    ~ProgramTest() override { std::filesystem::current_path(previous); }

    // Loads the window, then opens `directory` and selects `file` as a user would.
    std::unique_ptr<RunningProgram> start(platform::MessageBox& box, const std::string& directory = "",
                                          const std::string& file = "") {
        auto program = std::make_unique<RunningProgram>(fs, starter, box);
        if (!directory.empty()) program->lists().dir1.setPath(directory == "." ? tree.root().native() : (tree / directory).native());
        browse::FileList& files = program->lists().file1;
        for (int i = 0; i < files.listCount(); ++i)
            if (files.list(i) == file) program->clickRow("File1", i);
        return program;
    }

    TempTree tree;
    std::filesystem::path previous;
    FakeTool tool;
    platform::PosixFileSystem fs;
    platform::PosixProgramStarter starter;
    ScriptedMessageBox box;
};

TEST_F(ProgramTest, StartsOnTheRootOfTheWorkingDrivesWithFocusOnTheDriveList) {
    auto program = start(box);
    program->form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program->form()));
    EXPECT_EQ(program->lists().dir1.path(), fs.currentRootText());
    EXPECT_EQ(program->lists().file1.path(), fs.currentRootText());
    EXPECT_EQ(QApplication::focusWidget(), program->form().control("Drive1"));
    EXPECT_TRUE(program->report.reported.empty());
}

TEST_F(ProgramTest, EachButtonStartsItsCommand) {
    const std::string root = tree.root().native();
    struct Case { const char* button; std::string directory, file; int highlight; std::vector<std::string> arguments; };
    const std::vector<Case> cases = {
        {"Command1", ".", "", 1, {"compress", root + "/sub/*"}},
        {"Command1", "my maps", "", -1, {"compress", root + "/my maps/*"}},
        {"Command6", "my maps", "a b.pkg", -1, {"compress", root + "/my maps/a b.pkg"}},
        {"Command7", ".", "a.pkg", -1, {"decompress", root + "/a.pkg"}},
        {"Command6", ".", "", -1, {"compress", root + "/"}},
    };
    std::vector<std::vector<std::string>> expected;
    for (const Case& c : cases) {
        auto program = start(box, c.directory, c.file);
        program->lists().dir1.setListIndex(c.highlight);
        program->click(c.button);
        expected.push_back(c.arguments);
    }
    auto calls = tool.calls(expected.size());
    std::sort(calls.begin(), calls.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(calls, expected);
}

TEST_F(ProgramTest, DeletionAsksAndTheListShowsItAfterRefresh) {
    auto program = start(box, ".", "a.pkg");
    box.answers = {Answer::No, Answer::Yes, Answer::Yes};

    program->click("Command4");
    EXPECT_TRUE(std::filesystem::exists(tree / "a.pkg"));

    program->click("Command4");
    EXPECT_FALSE(std::filesystem::exists(tree / "a.pkg"));
    EXPECT_EQ(program->lists().file1.fileName(), "a.pkg");  // listed and selected until refreshed

    program->click("Command4");
    EXPECT_EQ(program->report.reported, std::vector<std::string>{"No such file or directory"});

    program->click("Command3");
    EXPECT_EQ(program->lists().file1.listCount(), 0);
    EXPECT_EQ(box.asked.size(), 3u);
    EXPECT_TRUE(std::filesystem::exists(tree / "sub"));
    EXPECT_TRUE(std::filesystem::exists(tree / "my maps/a b.pkg"));
}

TEST_F(ProgramTest, AVanishedDirectoryIsReportedOnceAndTheListsStay) {
    auto program = start(box, ".", "a.pkg");
    std::filesystem::remove(tree / "sub");
    const auto before = program->lists().dir1.path();
    const int subRow = program->lists().dir1.listCount() - program->lists().dir1.firstIndex() - 1;
    program->clickRow("Dir1", subRow, true);
    EXPECT_EQ(program->report.reported, std::vector<std::string>{"No such file or directory"});
    EXPECT_EQ(program->lists().dir1.path(), before);
    EXPECT_EQ(program->lists().file1.path(), before);
    EXPECT_EQ(program->lists().file1.fileName(), "a.pkg");
}

TEST_F(ProgramTest, ExitUnloadsTheWindowAndTheToolGoesOn) {
    FakeTool slowTool(0.5);
    auto program = start(box, ".", "a.pkg");
    program->click("Command6");
    program->click("Command2");
    EXPECT_FALSE(program->form().isVisible());
    EXPECT_TRUE(slowTool.calls().empty());
    EXPECT_EQ(slowTool.calls(1).size(), 1u);
}

// The boxes themselves, answered through the keyboard as a user would.
TEST_F(ProgramTest, TheRealConfirmationBoxAsksAndEscapeMeansNo) {
    platform::QtMessageBox realBox;
    auto program = start(realBox, ".", "a.pkg");
    struct Seen { QString title, text; QMessageBox::Icon icon = QMessageBox::Critical; QString defaultButton; };
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        Seen seen;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box && std::chrono::steady_clock::now() < deadline) return;
            poll.stop();
            ASSERT_NE(box, nullptr) << "no box within the deadline";
            seen = {box->windowTitle(), box->text(), box->icon(), box->defaultButton()->text()};
            QTest::keyClick(box, key);
        });
        poll.start(10);
        program->click("Command4");
        EXPECT_EQ(seen.title, "quarvel2");
        EXPECT_EQ(seen.text, "Are You sure?");
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
        EXPECT_EQ(seen.defaultButton.remove('&'), "Yes");
        EXPECT_EQ(std::filesystem::exists(tree / "a.pkg"), key == Qt::Key_Escape);
    }
}

// On the in-memory file system: what a drive or a start-up failure leaves.
TEST(ProgramFailures, ADriveThatIsNotReadyIsReportedOnceAndTheListsStay) {
    MemoryFileSystem fs("D:\\work");
    fs.addFile("D:\\work\\a.pkg");
    fs.addFile("E:\\e.txt");
    fs.setReady('E', false);
    RecordingStarter starter;
    ScriptedMessageBox box;
    RunningProgram program(fs, starter, box);
    program.lists().dir1.setPath("D:\\work");

    QTest::keyClick(program.control<QComboBox>("Drive1"), Qt::Key_Down);
    EXPECT_EQ(program.report.reported, std::vector<std::string>{"Device unavailable"});
    EXPECT_EQ(program.lists().drive1.drive(), "E:");
    EXPECT_EQ(program.lists().dir1.path(), "D:\\work");
    EXPECT_EQ(program.lists().file1.path(), "D:\\work");

    program.click("Command1");  // the program goes on
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started[0].text(), "ucc compress D:\\work\\*");
}

// With the real report box: once it is answered, the window opens and the
// program runs on rather than ending with the box, its only window so far.
TEST(ProgramFailures, AfterAReportedLoadFailureTheProgramRunsOn) {
    MemoryFileSystem fs("D:\\work");
    fs.failReading("D:\\");
    RecordingStarter starter;
    ScriptedMessageBox box;
    platform::QtFailureReport report;
    actions::Services services{fs, starter, box};
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            QTest::keyClick(shown, Qt::Key_Return);
    });
    answer.start(20);
    app::LoadedWindow loaded(window::form1, app::form1Events, services, report);
    bool running = false;
    QTimer::singleShot(300, [&] {
        running = loaded.form()->isVisible();
        QApplication::exit(7);
    });
    EXPECT_EQ(QApplication::exec(), 7);
    EXPECT_TRUE(running);
}

TEST(ProgramFailures, AFailedLoadLeavesBothListsOnTheWorkingDirectory) {
    MemoryFileSystem fs("D:\\work");
    fs.addFile("D:\\work\\a.pkg");
    fs.addDirectory("D:\\work\\maps");
    fs.failReading("D:\\");
    RecordingStarter starter;
    ScriptedMessageBox box;
    RunningProgram program(fs, starter, box);
    EXPECT_EQ(program.report.reported, std::vector<std::string>{"Permission denied"});
    EXPECT_TRUE(program.form().isVisible());
    EXPECT_EQ(program.lists().dir1.path(), "D:\\work");
    EXPECT_EQ(program.lists().file1.path(), "D:\\work");
    EXPECT_EQ(program.lists().file1.listCount(), 1);
    EXPECT_EQ(program.lists().dir1.listCount(), 1);
}

}  // namespace

namespace {

TEST_F(ProgramTest, WhatTheStandInPackerWritesShowsAfterRefresh) {
    setenv("PATH", (std::string(UCC_STANDIN_DIR) + ":" + std::getenv("PATH")).c_str(), 1);
    auto program = start(box, "my maps", "a b.pkg");
    program->click("Command6");

    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(tree / "my maps/a b.pkg.gz") && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(std::filesystem::exists(tree / "my maps/a b.pkg.gz"));
    EXPECT_EQ(program->lists().file1.listCount(), 1);

    program->click("Command3");
    ASSERT_EQ(program->lists().file1.listCount(), 2);
    EXPECT_EQ(program->lists().file1.list(1), "a b.pkg.gz");
    EXPECT_EQ(program->lists().file1.fileName(), "a b.pkg");
}

}  // namespace
