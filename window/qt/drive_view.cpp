#include "drive_view.h"

#include "window/row_texts.h"

#include <QSignalBlocker>

namespace window {

DriveView::DriveView(const browse::DriveList& drives, std::function<void(Event, int)> raise, QWidget* parent)
    : QComboBox(parent), drives_(drives), raise_(std::move(raise)) {
    // activated comes for every pick, by mouse, keys or wheel, also of the
    // drive already shown; currentIndexChanged would miss a retry.
    connect(this, &QComboBox::activated, this, [this](int index) { raise_(Event::Change, index); });
}

void DriveView::showList() {
    const QSignalBlocker showing(this);
    QStringList texts;
    for (const auto& drive : drives_.drives()) texts << QString::fromStdString(driveRowText(drive));
    bool same = texts.size() == count();
    for (int i = 0; same && i < count(); ++i) same = itemText(i) == texts[i];
    if (!same) {
        clear();
        addItems(texts);
    }
    setCurrentIndex(drives_.listIndex());
}

void DriveView::showPopup() {
    raise_(Event::DropDown, -1);
    QComboBox::showPopup();
}

}  // namespace window
