#pragma once

#include "program.h"

#include "window/action_wait.h"
#include "window/presenter.h"

#include <functional>

namespace app {

// What both front-ends wire the same way between the program and its
// window: the jobs wait through the window's own loop, boxes come over lists
// the presenter has brought up to date, Exit closes the window, and all of it
// comes undone before the window goes, so that a job that ends later reaches
// nothing that is gone.
class WindowWiring {
public:
    WindowWiring(Program& program, window::Presenter& presenter, window::WaitLoop& loop,
                 std::function<void()> closeWindow)
        : program_(program), wait_(loop) {
        program_.jobs.setWaiter(&wait_);
        program_.boxes.setPresenter(&presenter);
        program_.unload = std::move(closeWindow);
    }
    ~WindowWiring() {
        program_.jobs.setWaiter(nullptr);
        program_.boxes.setPresenter(nullptr);
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
