#pragma once

#include "drive_bounds.h"
#include "waiter.h"

#include "platform/native.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace jobs {

// The root of the drive that holds a path, by its text alone: never touches
// the drive.
using RootOf = std::function<platform::NativeString(const platform::Path&)>;

// What the runner shares with every thread it starts. Each thread keeps it
// alive for as long as it runs, so that work left behind never outlives what
// it uses.
class Shared {
public:
    explicit Shared(RootOf rootOf) : rootOf(std::move(rootOf)) {}
    const RootOf rootOf;
    DriveBounds bounds;
    // Threads of jobs and asides still running, given up or not.
    std::atomic<int> threads{0};

    void setWaiter(Waiter* waiter);
    // Wakes the window's wait, if a window still waits; from any thread.
    void wakeWaiter();

private:
    std::mutex waiterMutex_;
    Waiter* waiter_ = nullptr;
};

// Past this many threads at once, no new work starts. The bounds per drive
// keep far fewer stuck; this holds even on a machine where every drive hangs.
inline constexpr int mostThreads = 64;

// Runs `body` on a thread of its own, counted in `shared`; false, and nothing
// started, when no thread can be had.
bool startThread(const std::shared_ptr<Shared>& shared, std::function<void()> body);

// One piece of work on a thread of its own, as the thread and whoever waits
// for it both see it.
class WorkState {
public:
    explicit WorkState(platform::NativeString root = {}) : root_(std::move(root)) {}
    // The drive it works on from now on; false, and no move, once it was
    // abandoned: then it is to stop.
    bool moveTo(platform::NativeString root);
    // The work has ended; a drive it held up answers again.
    void finish(DriveBounds& bounds);
    bool isDone();
    // Whether it is done by `deadline`.
    bool waitUntil(std::chrono::steady_clock::time_point deadline);
    // Nobody waits for it any more: unless it is done, its drive counts as
    // one that does not answer until it ends. False when it was done.
    bool abandon(DriveBounds& bounds);

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false, abandoned_ = false;
    platform::NativeString root_;
};

}  // namespace jobs
