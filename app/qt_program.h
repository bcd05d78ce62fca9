#pragma once

#include "patient_file_system.h"
#include "program.h"

#include "platform/linux/mount_watch.h"
#include "window/qt/form1.h"
#include "window/qt/qt_waiter.h"

#include <QSocketNotifier>
#include <memory>

namespace app {

// Names the program to Qt: the application title "quarvel2" that the boxes
// carry, its version, and its desktop entry.
void setIdentity();

// The program with its Qt window: made from the control table, shown, Load
// raised. The file system is used off the window's thread, waited for through
// the window; the drive list follows the system's mounts as they change.
// Closing the window (Exit, or the window's close control) ends the program
// when the event loop runs.
class QtProgram {
public:
    explicit QtProgram(Services& services);

    window::QtWaiter waiter;
    PatientFileSystem fileSystem;
    Services patientServices;
    Program program;
    window::Presenter presenter;
    window::Form1 form;

private:
    platform::MountWatch mounts_;
    std::unique_ptr<QSocketNotifier> mountsChanged_;
};

}  // namespace app
