#include "qt_program.h"

#include <QApplication>

namespace app {

void setIdentity() {
    QApplication::setApplicationName(QString::fromUtf8(window::form1.boxTitle.data(), static_cast<qsizetype>(window::form1.boxTitle.size())));
    QApplication::setApplicationVersion(QUARVEL_VERSION);
    QApplication::setDesktopFileName(QUARVEL_DESKTOP_ID);
}

QtProgram::QtProgram(Services& services)
    : fileSystem(services.fileSystem),
      patientServices{fileSystem, services.starter, services.dialogs},
      program(patientServices),
      presenter(program.lists, program),
      form(window::form1, presenter) {
    waiter.setWindow(&form);
    fileSystem.setWaiter(&waiter);
    program.unload = [this] { form.close(); };
    if (mounts_.descriptor() >= 0) {
        mountsChanged_ = std::make_unique<QSocketNotifier>(mounts_.descriptor(), QSocketNotifier::Exception);
        QObject::connect(mountsChanged_.get(), &QSocketNotifier::activated, &form, [this] { presenter.drivesChanged(); });
    }
    presenter.start();
}

}  // namespace app
