#include "qt_program.h"

#include <QApplication>

namespace app {

void setIdentity() {
    QApplication::setApplicationName(QUARVEL_NAME);
    QApplication::setApplicationVersion(QUARVEL_VERSION);
    QApplication::setDesktopFileName(QUARVEL_DESKTOP_ID);
}

QtProgram::QtProgram(Services& services) : program(services), form(window::form1, program.lists, program) {
    program.unload = [this] { form.close(); };
    form.raise(window::Control::Form1, window::Event::Load, -1);
    form.show();
}

}  // namespace app
