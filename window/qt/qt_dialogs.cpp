#include "qt_dialogs.h"

#include "window/form_description.h"

#include <QApplication>
#include <QMessageBox>

namespace window {
namespace {

QString boxTitle() { return QString::fromUtf8(form1.boxTitle.data(), static_cast<qsizetype>(form1.boxTitle.size())); }

void setPlainTexts(QMessageBox& box, const std::string& text, const std::string& beneath) {
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    if (!beneath.empty()) box.setInformativeText(QString::fromStdString(beneath));
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
    QMessageBox box(QMessageBox::Warning, boxTitle(), {}, QMessageBox::Ok,
                    QApplication::activeWindow());
    setPlainTexts(box, description, subject);
    box.exec();
}

}  // namespace window
