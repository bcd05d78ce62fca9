#include "doubles/giving_up.h"

#include "jobs/job_failures.h"
#include "jobs/runner.h"

#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace {

using jobs::Job;

// Drives by the text before the first slash: "X/a" lies on drive "X".
platform::NativeString driveOf(const platform::Path& path) {
    const platform::NativeString& text = path.native();
    return text.substr(0, text.find('/'));
}

// A request the test answers when it likes, as a drive that is slow to.
class Gate {
public:
    void pass() {
        std::unique_lock lock(mutex_);
        ++arrived_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    void waitForArrival() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return arrived_ > 0; });
    }
    void open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int arrived_ = 0;
    bool open_ = false;
};

class JobsTest : public ::testing::Test {
protected:
    ~JobsTest() override {
        runner.setWaiter(nullptr);  // a test's waiter goes with the test
        gate->open();
        while (runner.threadsRunning() > 0) std::this_thread::yield();  // nothing left touching the test's own
    }
    jobs::Runner runner{driveOf};
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
};

TEST_F(JobsTest, AJobsResultOrFailureComesBackToTheWindow) {
    EXPECT_EQ(runner.run("X/a", [](Job&) { return 42; }), 42);
    EXPECT_THROW(runner.run("X/a", [](Job&) -> int { throw platform::PlatformFailure("gone", "X/a"); }),
                 platform::PlatformFailure);
}

// Given up while its drive is slow: it changes nothing once its drive
// answers, and until then that drive gets no new job and no new thread.
TEST_F(JobsTest, AJobGivenUpActsNoMoreAndItsDriveWaitsForItToEnd) {
    GivingUp escape([this] { gate->waitForArrival(); });
    runner.setWaiter(&escape);
    auto acted = std::make_shared<std::atomic<bool>>(false);
    EXPECT_THROW(runner.run("X/a",
                            [gate = gate, acted](Job& job) {
                                gate->pass();
                                job.beforeActing();
                                *acted = true;
                            }),
                 jobs::NoAnswer);
    EXPECT_EQ(runner.threadsRunning(), 1);
    EXPECT_THROW(runner.run("X/b", [](Job&) {}), jobs::DriveNotAnswering);
    EXPECT_EQ(runner.threadsRunning(), 1) << "no thread for a drive that has not answered";
    EXPECT_THROW(runner.run("Y/c", [](Job& job) { job.enter("X/c"); }), jobs::DriveNotAnswering) << "passing by counts";
    EXPECT_EQ(runner.run("Y/d", [](Job&) { return 1; }), 1) << "another drive answers at once";

    runner.setWaiter(nullptr);
    gate->open();
    while (runner.threadsRunning() > 0) std::this_thread::yield();
    EXPECT_FALSE(*acted);
    EXPECT_EQ(runner.run("X/b", [](Job&) { return 2; }), 2) << "its drive answered at last";
}

TEST_F(JobsTest, ClosingTheWindowEndsTheWaitWithoutAReport) {
    struct Closing final : jobs::Waiter {
        Outcome wait(std::chrono::steady_clock::time_point, const std::function<bool()>&) override {
            return Outcome::Closing;
        }
        void wake() override {}
    } closing;
    runner.setWaiter(&closing);
    EXPECT_THROW(runner.run("X/a", [gate = gate](Job&) { gate->pass(); }), jobs::WindowClosing);
}

// Work beside a job that is not done in time is abandoned: its drive counts
// as one that does not answer until it ends, and gets no more of it.
TEST_F(JobsTest, AnAbandonedAsideHoldsItsDriveUntilItEnds) {
    runner.run("Y/a", [this](Job& job) {
        const auto slow = job.aside("X/link", [gate = gate] { gate->pass(); });
        ASSERT_TRUE(slow);
        EXPECT_FALSE(slow->waitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(20)));
    });
    EXPECT_THROW(runner.run("X/b", [](Job&) {}), jobs::DriveNotAnswering);
    runner.run("Y/a", [](Job& job) { EXPECT_FALSE(job.aside("X/other", [] {})); });
    gate->open();
    while (runner.threadsRunning() > 0) std::this_thread::yield();
    EXPECT_NO_THROW(runner.run("X/b", [](Job&) {}));
}

}  // namespace
