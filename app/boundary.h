#pragma once

#include "platform/dialogs.h"

#include <functional>

namespace app {

// The one place a failure is caught: every event handler runs through here.
// A failure ends the handler where it happened, is reported, and the program
// runs on.
class Boundary {
public:
    explicit Boundary(platform::FailureReport& report) : report_(report) {}
    // Whether the handler ran to its end.
    bool call(const std::function<void()>& handler) const;

private:
    platform::FailureReport& report_;
};

}  // namespace app
