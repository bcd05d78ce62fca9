#include "qt_dialogs.h"

#include "qt_text.h"

#include "window/form_description.h"

#include <QApplication>
#include <QMessageBox>

namespace window {
namespace {

QString boxTitle() { return qtText(form1.boxTitle); }

void setPlainTexts(QMessageBox& box, const std::string& text, const std::string& beneath) {
    box.setTextFormat(Qt::PlainText);
    box.setText(qtText(text));
    if (!beneath.empty()) box.setInformativeText(qtText(beneath));
}

}  // namespace

bool QtDialogs::confirm(const std::string& text, const std::string& detail) {
    QMessageBox box(QMessageBox::NoIcon, boxTitle(), {}, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    setPlainTexts(box, text, detail);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::report(const std::string& description, const std::string& subject) {
    QMessageBox box(QMessageBox::Warning, boxTitle(), {}, QMessageBox::Ok, QApplication::activeWindow());
    setPlainTexts(box, description, subject);
    box.exec();
}

}  // namespace window
