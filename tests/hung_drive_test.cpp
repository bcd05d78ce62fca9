#include "doubles/running_program.h"
#include "doubles/tree_lists.h"

#include "jobs/job_failures.h"

#include <QComboBox>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <thread>

using window::Control;

namespace {

const std::string noAnswer = jobs::NoAnswer("").what();

int threadsOfThisProcess() {
    int count = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) ++count;
    return count;
}

// The program beside H, a drive that stops answering when a test says so,
// like a network drive whose server went down: every call on it waits. For
// every developer, root or not.
class DeadDriveTest : public ::testing::Test, public TreeLists {
protected:
    DeadDriveTest() {
        tree.file("H/maps/m.pkg");
        fs.setDrives({"D", "E", "F", "H"});
    }
    // What still waits on the drive answers now, late; the jobs that wait
    // share the file system, so it stays while they end.
    ~DeadDriveTest() override { fs.release(); }

    // Does `what` to the window once the program waits and shows it is busy.
    void onceBusy(std::function<void(QWidget& window)> what) {
        QObject::connect(&poll, &QTimer::timeout, [this, what] {
            const QCursor* cursor = QApplication::overrideCursor();
            if (!cursor || cursor->shape() != Qt::WaitCursor) return;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->objectName() != "Form1") continue;
                poll.stop();
                what(*window);
            }
        });
        poll.start(10);
    }
    static void escape(QWidget& window) { QTest::keyClick(&window, Qt::Key_Escape); }
    void pick(RunningProgram& program, const std::string& drive) {
        auto* drives = program.control<QComboBox>(Control::Drive1);
        emit drives->activated(drives->findText(QString::fromStdString(drive)));
    }

    RecordingStarter starter;
    QTimer poll;
};

// Started on the dead drive, the window shows at once; giving up leaves the
// lists empty and says so once.
TEST_F(DeadDriveTest, StartedOnTheDeadDriveTheWindowShowsAndEscapeLeavesTheListsEmpty) {
    fs = TreeFileSystem(tree.root(), {"D", "H"}, path("H/maps"));
    fs.stopAnswering(path("H"));
    bool shownWhileWaiting = false;
    onceBusy([&](QWidget& window) {
        shownWhileWaiting = window.isVisible();
        escape(window);
    });
    RunningProgram program(sharedFs, starter, dialogs);
    EXPECT_TRUE(shownWhileWaiting);
    EXPECT_EQ(dialogs.reported, std::vector<std::string>{noAnswer});
    EXPECT_EQ(program.running.presenter.rows().count(Control::Dir1), 0);
    EXPECT_EQ(program.lists().file1().listCount(), 0);
}

// Picking the dead drive waits with a busy cursor; Escape gives up: one
// report, the lists as they were, and any other drive can be picked at once.
// Picking it again costs no thread: it has not answered yet, and says so.
TEST_F(DeadDriveTest, EscapeGivesUpADeadDriveAndLeavesTheListsAsTheyWere) {
    fs.stopAnswering(path("H"));
    RunningProgram program(sharedFs, starter, dialogs);
    onceBusy(escape);
    pick(program, "H");
    EXPECT_EQ(dialogs.reported, std::vector<std::string>{noAnswer});
    EXPECT_EQ(program.lists().dir1().path(), root("D"));
    EXPECT_EQ(program.lists().file1().path(), root("D"));
    EXPECT_EQ(program.lists().drive1().drive().text, "H") << "Drive1 keeps the picked drive";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    pick(program, "E");
    EXPECT_EQ(program.lists().dir1().path(), root("E"));
    EXPECT_EQ(dialogs.reported.size(), 1u);

    pick(program, "H");
    const int threads = threadsOfThisProcess();
    for (int round = 0; round < 198; ++round) pick(program, "H");
    EXPECT_LE(threadsOfThisProcess(), threads) << "200 give-ups hold no more threads than 2";
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.running.program.jobs.threadsRunning() == 1; }))
        << "only the one left on H runs on";
    EXPECT_EQ(dialogs.reported.size(), 200u);
    EXPECT_EQ(dialogs.reported.back(), jobs::DriveNotAnswering(root("H")).what());
    EXPECT_EQ(fs.waiting(), 1);
}

// A drive that answers every call, but slowly: one clock for the whole
// action, not one per call, so the busy cursor shows and Escape gives up
// opening a folder whose ancestors each take their time.
TEST_F(DeadDriveTest, ASlowDriveShowsTheBusyCursorForTheWholeActionAndEscapeGivesItUp) {
    tree.directory("D/a/b/c/d");
    RunningProgram program(sharedFs, starter, dialogs);
    program.open(path("D/a/b/c"));
    const auto shown = program.lists().dir1().generation();
    fs.answerAfter(std::chrono::milliseconds(120));  // each call well below the wait cursor's 300 ms
    onceBusy(escape);
    program.clickRow(Control::Dir1, program.running.presenter.rows().rowOf(0), true);
    EXPECT_EQ(dialogs.reported, std::vector<std::string>{noAnswer});
    EXPECT_EQ(program.lists().dir1().generation(), shown);
    EXPECT_EQ(program.lists().dir1().path(), path("D/a/b/c"));
}

// Yes, and the drive stops answering just as the deletion begins; the user
// gives up, and the drive answers at last: the job acts no more, neither on
// the file that was confirmed nor on one written after Escape.
TEST_F(DeadDriveTest, AGivenUpDeletionActsNoMore) {
    RunningProgram program(sharedFs, starter, dialogs);
    dialogs.otherwise = true;
    const std::string givenUp =
        noAnswer + " If the deletion had already begun, it removes only the file you confirmed.";
    for (const char* drive : {"H", "E"}) {
        fs.stopAnswering(path(drive), "deleteFile");
        pick(program, drive);
        program.open(path(drive == std::string("H") ? "H/maps" : "E"));
        program.select(drive == std::string("H") ? "m.pkg" : "e.txt");
        onceBusy(escape);
        program.click(Control::Command4);
        ASSERT_EQ(dialogs.reported.back(), givenUp) << drive;
    }
    program.click(Control::Command4);
    EXPECT_EQ(dialogs.reported.back(), jobs::DriveNotAnswering(root("E")).what()) << "no second request to it";
    std::filesystem::remove(path("E/e.txt"));
    tree.file("E/e.txt", "written after Escape");
    fs.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.running.program.jobs.threadsRunning() == 0; }, 10000));
    EXPECT_TRUE(std::filesystem::exists(path("H/maps/m.pkg"))) << "confirmed, but given up before the deletion began";
    EXPECT_TRUE(std::filesystem::exists(path("E/e.txt")));
}

// Run on its own by the test below: closes the window while a read hangs.
TEST_F(DeadDriveTest, DISABLED_ClosingWhileWaiting) {
    fs.stopAnswering(path("H"));
    RunningProgram program(sharedFs, starter, dialogs);
    onceBusy([](QWidget& window) { window.close(); });
    pick(program, "H");
    EXPECT_FALSE(program.form().isVisible());
    EXPECT_TRUE(dialogs.reported.empty());
    program.running.program.finish(0);  // ends here: a job is stuck
    ADD_FAILURE() << "the program ran on after its window was closed";
}

TEST_F(DeadDriveTest, ClosingTheWindowWhileAReadHangsEndsTheProgram) {
    const pid_t child = fork();
    if (child == 0) {
        execl("/proc/self/exe", "window_tests", "--gtest_also_run_disabled_tests",
              "--gtest_filter=DeadDriveTest.DISABLED_ClosingWhileWaiting", nullptr);
        _exit(127);
    }
    int status = -1;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (waitpid(child, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (kill(child, 0) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the program still waited on the drive after its window closed";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
