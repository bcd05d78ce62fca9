#include "qt_dialogs.h"

#include "platform_failure.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>

namespace platform {

Answer QtMessageBox::ask(const std::string& text, ButtonSet) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtFailureReport::report(const PlatformFailure& failure) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), QString::fromStdString(failure.what()),
                    QMessageBox::Ok, QApplication::activeWindow());
    if (!failure.subject().empty()) box.setInformativeText(QFile::decodeName(failure.subject().c_str()));
    box.exec();
}

}  // namespace platform
