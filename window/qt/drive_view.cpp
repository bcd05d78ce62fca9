#include "drive_view.h"

#include "list_views.h"
#include "qt_keys.h"
#include "qt_text.h"

#include <QPainter>
#include <QSignalBlocker>

namespace window {

DriveView::DriveView(Presenter& presenter, QWidget* parent) : QComboBox(parent), presenter_(presenter) {
    // activated comes for every pick, by mouse, keys or wheel, also of the
    // drive already shown; currentIndexChanged would miss a retry.
    connect(this, &QComboBox::activated, this, [this](int row) { presenter_.pickDrive(row); });
}

void DriveView::showRows(const std::vector<std::string>& rows) {
    const QSignalBlocker showing(this);
    clear();
    for (const std::string& row : rows) addItem(qtText(row));
}

void DriveView::showSelected(int row) {
    const QSignalBlocker showing(this);
    setCurrentIndex(row);
}

void DriveView::keyPressEvent(QKeyEvent* event) {
    if (!forwardKey(presenter_, Control::Drive1, *event)) QComboBox::keyPressEvent(event);
}

// With the keyboard, the box shows the mark the lists show.
void DriveView::paintEvent(QPaintEvent* event) {
    QComboBox::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    drawFocusMark(painter, rect().adjusted(3, 3, -3, -3), palette().color(QPalette::ButtonText));
}

void DriveView::showPopup() {
    presenter_.dropDown();
    QComboBox::showPopup();
}

}  // namespace window
