#include "event_table.h"
#include "identity.h"
#include "window_service.h"

#include "platform/posix_file_system.h"
#include "platform/posix_program_starter.h"
#include "platform/qt_dialogs.h"
#include "window/form_description.h"

#include <QApplication>

// Arguments are ignored; nothing is configured.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::setIdentity();

    platform::PosixFileSystem fileSystem;
    platform::PosixProgramStarter starter;
    platform::QtMessageBox messageBox;
    platform::QtFailureReport report;
    actions::Services services{fileSystem, starter, messageBox};
    return app::runWindow(window::form1, app::form1Events, services, report);
}
