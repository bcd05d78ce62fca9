#pragma once

#include "jobs/waiter.h"

#include <chrono>
#include <functional>
#include <optional>

namespace window {

// What a front-end lends the wait: a loop of its own that runs the window's
// events, and the cursor.
class WaitLoop {
public:
    virtual ~WaitLoop() = default;
    // Shows the window if it is still hidden: start-up never waits to show it.
    virtual void showWindowIfHidden() = 0;
    // Runs the window's events until wake() is called, or `timeout` passes
    // (nothing: no limit). Input goes to ActionWait::input first.
    virtual void runEvents(std::optional<std::chrono::milliseconds> timeout) = 0;
    // Ends runEvents() early; from any thread.
    virtual void wake() = 0;
    virtual void showBusy(bool busy) = 0;
    // Closes the window, as the user asked while the wait held it back; the
    // window tells the presenter it is gone.
    virtual void closeWindow() = 0;
    // The wait is over, whatever its outcome.
    virtual void waitEnded() {}
};

// What reaches the window while it waits.
enum class WaitInput { Escape, OtherInput, CloseRequest };

// How both windows wait for a job: they keep painting and drop the user's
// input, as under a modal box; Escape gives up; closing the window ends the
// wait, then the window; the cursor turns busy once the action has lasted
// busyAfter.
class ActionWait final : public jobs::Waiter {
public:
    explicit ActionWait(WaitLoop& loop) : loop_(loop) {}

    Outcome wait(std::chrono::steady_clock::time_point began, const std::function<bool()>& done) override;
    void wake() override { loop_.wake(); }

    bool waiting() const { return waiting_; }
    // Input the window received: true when the wait takes it, and the
    // window must not act on it.
    bool input(WaitInput what);

private:
    WaitLoop& loop_;
    bool waiting_ = false;
    Outcome outcome_ = Outcome::Done;
};

}  // namespace window
