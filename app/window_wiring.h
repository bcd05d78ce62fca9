#pragma once

#include "program.h"

#include "window/action_wait.h"

#include <functional>

namespace app {

// What both front-ends wire the same way between the program and its
// window: the jobs wait through the window's own loop, Exit closes the
// window, and all of it comes undone before the window goes, so that a job
// that ends later reaches nothing that is gone.
class WindowWiring {
public:
    WindowWiring(Program& program, window::WaitLoop& loop, std::function<void()> closeWindow)
        : program_(program), wait_(loop) {
        program_.jobs.setWaiter(&wait_);
        program_.unload = std::move(closeWindow);
    }
    ~WindowWiring() {
        program_.jobs.setWaiter(nullptr);
        program_.unload = nullptr;
    }
    WindowWiring(const WindowWiring&) = delete;
    WindowWiring& operator=(const WindowWiring&) = delete;

    window::ActionWait& wait() { return wait_; }

private:
    Program& program_;
    window::ActionWait wait_;
};

}  // namespace app
