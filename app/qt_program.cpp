#include "qt_program.h"

#include <QApplication>

namespace app {

void setIdentity() {
    QApplication::setApplicationName(QString::fromUtf8(window::form1.boxTitle.data(), static_cast<qsizetype>(window::form1.boxTitle.size())));
    QApplication::setApplicationVersion(QUARVEL_VERSION);
    QApplication::setDesktopFileName(QUARVEL_DESKTOP_ID);
}

QtProgram::QtProgram(Services& services)
    : program(services), presenter(program.lists, program), form(window::form1, presenter) {
    program.unload = [this] { form.close(); };
    presenter.start();
}

}  // namespace app
