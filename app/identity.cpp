#include "identity.h"

#include <QApplication>

namespace app {

void setIdentity() {
    QApplication::setApplicationName(QUARVEL_NAME);
    QApplication::setApplicationVersion(QUARVEL_VERSION);
    QApplication::setDesktopFileName(QUARVEL_DESKTOP_ID);
}

}  // namespace app
