#include "app/qt/qt_program.h"

#include "platform/linux/linux_file_system.h"
#include "platform/linux/linux_program_starter.h"
#include "window/qt/qt_dialogs.h"

#include <QApplication>

// Arguments are ignored; nothing is configured.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::setIdentity();
    window::QtDialogs dialogs;
    app::QtProgram running(
        {std::make_shared<platform::LinuxFileSystem>(), std::make_shared<platform::LinuxProgramStarter>(), dialogs});
    return running.program.finish(QApplication::exec());
}
