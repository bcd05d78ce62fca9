#pragma once

#include <chrono>
#include <functional>

namespace jobs {

// How the window waits for a job: it keeps painting and takes no input but
// Escape (the user gives up) and closing the window, and shows that it is
// busy once the action has lasted busyAfter. Events still run one at a time:
// the one that waits holds the others back, as a box it showed would.
class Waiter {
public:
    enum class Outcome { Done, GaveUp, Closing };
    static constexpr std::chrono::milliseconds busyAfter{300};

    virtual ~Waiter() = default;
    // Waits until `done` holds, looking at it again whenever wake() is
    // called; `began` is when the action began, for the busy cursor.
    virtual Outcome wait(std::chrono::steady_clock::time_point began, const std::function<bool()>& done) = 0;
    // Has wait() look at `done` again; from any thread.
    virtual void wake() = 0;
};

}  // namespace jobs
