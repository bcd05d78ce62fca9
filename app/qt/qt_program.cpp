#include "app/qt/qt_program.h"

#include "window/qt/qt_text.h"

#include <QApplication>

namespace app {

void setIdentity() {
    QApplication::setApplicationName(window::qtText(window::form1.boxTitle));
    QApplication::setApplicationVersion(QUARVEL_VERSION);
    QApplication::setDesktopFileName(QUARVEL_DESKTOP_ID);
}

QtProgram::QtProgram(Services services)
    : program(std::move(services)),
      presenter(program.lists, program),
      form(window::form1, presenter),
      waitLoop_(form),
      wiring_(program, presenter, waitLoop_, [this] { form.close(); }) {
    waitLoop_.setWait(&wiring_.wait());
    if (mounts_.descriptor() >= 0) {
        mountsChanged_ = std::make_unique<QSocketNotifier>(mounts_.descriptor(), QSocketNotifier::Exception);
        QObject::connect(mountsChanged_.get(), &QSocketNotifier::activated, &form,
                         [this] { presenter.drivesChanged(); });
    }
    presenter.start();
}

}  // namespace app
