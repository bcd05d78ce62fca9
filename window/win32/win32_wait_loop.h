#pragma once

#include "platform/win32/owned.h"
#include "window/action_wait.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace window {

// The wait's loop on Windows: a message loop of its own that paints and
// hands the user's input to the wait first (it drops all but Escape and
// closing the window), and the wait cursor.
class Win32WaitLoop final : public WaitLoop {
public:
    Win32WaitLoop(std::function<void()> showWindowIfHidden, std::function<void()> closeWindow)
        : showWindowIfHidden_(std::move(showWindowIfHidden)), closeWindow_(std::move(closeWindow)) {}
    void setWait(ActionWait* wait) { wait_ = wait; }
    ActionWait* wait() const { return wait_; }
    bool busy() const { return busy_; }

    void showWindowIfHidden() override { showWindowIfHidden_(); }
    void runEvents(std::optional<std::chrono::milliseconds> timeout) override;
    void wake() override { SetEvent(wakeEvent_.get()); }
    void showBusy(bool busy) override;
    void closeWindow() override { closeWindow_(); }
    void waitEnded() override;

private:
    std::function<void()> showWindowIfHidden_, closeWindow_;
    ActionWait* wait_ = nullptr;
    platform::OwnedHandle wakeEvent_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    bool busy_ = false;
    std::optional<int> quitAfterWait_;  // the loop that runs the window was asked to end meanwhile
};

}  // namespace window
