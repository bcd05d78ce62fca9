#include "qt_program.h"

#include "platform/linux/linux_file_system.h"
#include "platform/linux/linux_program_starter.h"
#include "window/qt/qt_dialogs.h"

#include <QApplication>
#include <cstdlib>

// Arguments are ignored; nothing is configured.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::setIdentity();

    platform::LinuxFileSystem fileSystem;
    platform::LinuxProgramStarter starter;
    window::QtDialogs dialogs;
    app::Services services{fileSystem, starter, dialogs};
    app::QtProgram running(services);
    const int code = QApplication::exec();
    // A read the user gave up on may still wait on its drive: end without
    // unwinding into it.
    if (running.fileSystem.leftCallsBehind()) std::_Exit(code);
    return code;
}
