#pragma once

#include "app/program.h"
#include "app/window_wiring.h"

#include "platform/linux/mount_watch.h"
#include "window/presenter.h"
#include "window/qt/form1.h"
#include "window/qt/qt_wait_loop.h"

#include <QSocketNotifier>
#include <memory>

namespace app {

// Names the program to Qt: the application title "quarvel2" that the boxes
// carry, its version, and its desktop entry.
void setIdentity();

// The program with its Qt window: made from the control table, shown, Load
// raised. Jobs are waited for through the window; the drive list follows the
// system's mounts as they change. Closing the window (Exit, or the window's
// close control) ends the program when the event loop runs.
class QtProgram {
public:
    explicit QtProgram(Services services);

    Program program;
    window::Presenter presenter;
    window::Form1 form;

private:
    window::QtWaitLoop waitLoop_;
    WindowWiring wiring_;
    platform::MountWatch mounts_;
    std::unique_ptr<QSocketNotifier> mountsChanged_;
};

}  // namespace app
