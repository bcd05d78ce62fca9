#include "drive_view.h"

#include "qt_keys.h"
#include "qt_text.h"

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

void DriveView::showPopup() {
    presenter_.dropDown();
    QComboBox::showPopup();
}

}  // namespace window
