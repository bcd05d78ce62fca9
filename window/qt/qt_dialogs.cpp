#include "qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace window {
namespace {

void setPlainTexts(QMessageBox& box, const std::string& text, const std::string& beneath) {
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    if (!beneath.empty()) box.setInformativeText(QString::fromStdString(beneath));
}

}  // namespace

bool QtDialogs::confirm(const std::string& text, const std::string& detail) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), {}, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    setPlainTexts(box, text, detail);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::report(const std::string& description, const std::string& subject) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), {}, QMessageBox::Ok,
                    QApplication::activeWindow());
    setPlainTexts(box, description, subject);
    box.exec();
}

}  // namespace window
