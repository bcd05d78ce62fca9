#pragma once

#include <functional>

namespace window {

// How a window waits for file-system work done on another thread: it keeps
// painting, takes no input but Escape (the user gives up) and closing the
// window, and shows that it is busy once the wait has lasted busyAfterMs. The
// events of the program still run one at a time: the one that waits holds
// the others back, as a box it showed would.
class Waiter {
public:
    enum class Outcome { Done, GaveUp, Closing };
    static constexpr int busyAfterMs = 300;

    virtual ~Waiter() = default;
    // Waits until `done` holds, checking it whenever wake() was called.
    virtual Outcome wait(const std::function<bool()>& done) = 0;
    // Has wait() look at `done` again; from any thread.
    virtual void wake() = 0;
};

}  // namespace window
