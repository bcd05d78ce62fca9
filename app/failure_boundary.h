#pragma once

#include "platform/dialogs.h"

#include <functional>

namespace app {

// The one place a failure is caught: every user action runs through here. A
// failure ends the action where it happened, is reported once, and the
// program runs on. Any std::exception counts: a system call's, a refusal,
// running out of memory. The window closing during a wait is no failure.
class FailureBoundary {
public:
    explicit FailureBoundary(platform::Dialogs& dialogs) : dialogs_(dialogs) {}
    void run(const std::function<void()>& action) const;

private:
    platform::Dialogs& dialogs_;
};

}  // namespace app
