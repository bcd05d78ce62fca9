#include "drive_view.h"

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
    for (const std::string& row : rows) addItem(QString::fromStdString(row));
}

void DriveView::showSelected(int row) {
    const QSignalBlocker showing(this);
    setCurrentIndex(row);
}

void DriveView::showPopup() {
    presenter_.dropDown();
    QComboBox::showPopup();
}

}  // namespace window
