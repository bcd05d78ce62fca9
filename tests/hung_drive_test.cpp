#include "doubles/hung_mount.h"
#include "doubles/running_program.h"
#include "doubles/tree_lists.h"

#include "platform/platform_failure.h"

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

const std::string noAnswer = platform::NoAnswer("").what();

// The program beside a drive that never answers: H, a FUSE mount whose
// server never replies, like a network drive whose server went down.
class HungDriveTest : public ::testing::Test, public TreeLists {
protected:
    void SetUp() override {
        if (!privateMountNamespace()) GTEST_SKIP() << "needs root for a private mount namespace";
        hung.emplace(tree.directory("H"));
        if (!hung->mounted()) GTEST_SKIP() << "needs FUSE";
        fs.setDrives({"D", "E", "F", "H"});
        // Should the program not stop waiting, the drive fails at last, and so does the test.
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] { hung.reset(); });
        watchdog.start(20000);
    }
    // Whatever still waits on the drive wakes now, and ends before the file
    // system it uses goes.
    void TearDown() override {
        hung.reset();
        while (app::PatientFileSystem::callsRunning() > 0) std::this_thread::yield();
    }

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
    void pick(RunningProgram& program, const std::string& drive) {
        auto* drives = program.control<QComboBox>(Control::Drive1);
        emit drives->activated(drives->findText(QString::fromStdString(drive)));
    }

    RecordingStarter starter;
    std::optional<HungMount> hung;
    QTimer watchdog, poll;
};

TEST_F(HungDriveTest, ALinkIntoTheDeadDriveDoesNotHoldUpTheStartFolder) {
    std::filesystem::create_symlink(path("H/inside"), path("D/dead"));
    RunningProgram program(fs, starter, dialogs);
    EXPECT_TRUE(program.form().isVisible());
    EXPECT_EQ(program.lists().dir1().path(), root("D"));
    const browse::FileList& files = program.lists().file1();
    ASSERT_EQ(files.listCount(), 2);
    EXPECT_EQ(std::vector<std::string>({std::string(files.name(0)), std::string(files.name(1))}),
              (std::vector<std::string>{"dead", "top.txt"}));
    program.select("top.txt");
    program.click(Control::Command6);
    EXPECT_EQ(starter.started.size(), 1u) << "the folder's files can be used";
    EXPECT_TRUE(dialogs.reported.empty());
}

// Started on the dead drive, the window shows at once; giving up leaves the
// lists empty and says so once.
TEST_F(HungDriveTest, StartedOnTheDeadDriveTheWindowShowsAndEscapeLeavesTheListsEmpty) {
    fs = TreeFileSystem(tree.root(), {"D", "H"}, path("H/maps"));
    bool shownWhileWaiting = false;
    onceBusy([&](QWidget& window) {
        shownWhileWaiting = window.isVisible();
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    RunningProgram program(fs, starter, dialogs);
    EXPECT_TRUE(shownWhileWaiting);
    EXPECT_EQ(dialogs.reported, std::vector<std::string>{noAnswer});
    EXPECT_EQ(program.lists().dir1().rowCount(), 0);
    EXPECT_EQ(program.lists().file1().listCount(), 0);
}

// Picking the dead drive waits with a busy cursor; Escape gives up: one
// report, the lists as they were, and any other drive can be picked at once.
TEST_F(HungDriveTest, EscapeGivesUpADeadDriveAndLeavesTheListsAsTheyWere) {
    RunningProgram program(fs, starter, dialogs);
    program.form().activateWindow();
    onceBusy([](QWidget& window) { QTest::keyClick(&window, Qt::Key_Escape); });
    pick(program, "H");
    EXPECT_EQ(dialogs.reported, std::vector<std::string>{noAnswer});
    EXPECT_EQ(program.lists().dir1().path(), root("D"));
    EXPECT_EQ(program.lists().file1().path(), root("D"));
    EXPECT_EQ(program.lists().drive1().drive().text, "H") << "Drive1 keeps the picked drive";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    pick(program, "E");
    EXPECT_EQ(program.lists().dir1().path(), root("E"));
    EXPECT_EQ(dialogs.reported.size(), 1u);
}

// Run on its own by the test below: closes the window while a read hangs.
TEST_F(HungDriveTest, DISABLED_ClosingWhileWaiting) {
    RunningProgram program(fs, starter, dialogs);
    onceBusy([](QWidget& window) { window.close(); });
    pick(program, "H");
    ADD_FAILURE() << "the program ran on after its window was closed";
}

TEST_F(HungDriveTest, ClosingTheWindowWhileAReadHangsEndsTheProgram) {
    const pid_t child = fork();
    if (child == 0) {
        execl("/proc/self/exe", "window_tests", "--gtest_also_run_disabled_tests",
              "--gtest_filter=HungDriveTest.DISABLED_ClosingWhileWaiting", nullptr);
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
