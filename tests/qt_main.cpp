#include "app/qt/qt_program.h"

#include <QApplication>
#include <gtest/gtest.h>

// Tests that need widgets share one application, offscreen unless the
// environment names another platform.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::setIdentity();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
