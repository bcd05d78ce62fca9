#include "action_wait.h"

namespace window {

jobs::Waiter::Outcome ActionWait::wait(std::chrono::steady_clock::time_point began, const std::function<bool()>& done) {
    loop_.showWindowIfHidden();
    waiting_ = true;
    outcome_ = Outcome::Done;
    bool busy = false;
    while (!done() && outcome_ == Outcome::Done) {
        const auto waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
        if (!busy && waited >= busyAfter) {
            busy = true;
            loop_.showBusy(true);
        }
        loop_.runEvents(busy ? std::nullopt : std::optional(busyAfter - waited));
    }
    if (busy) loop_.showBusy(false);
    waiting_ = false;
    loop_.waitEnded();
    if (outcome_ == Outcome::Closing) loop_.closeWindow();  // done or not, the user closed the window
    return done() ? Outcome::Done : outcome_;
}

bool ActionWait::input(WaitInput what) {
    if (!waiting_) return false;
    if (what == WaitInput::Escape && outcome_ == Outcome::Done) outcome_ = Outcome::GaveUp;
    if (what == WaitInput::CloseRequest) outcome_ = Outcome::Closing;
    if (what != WaitInput::OtherInput) loop_.wake();
    return true;
}

}  // namespace window
