#include "drive_view.h"

#include <QFile>
#include <QSignalBlocker>

namespace window {

DriveView::DriveView(browse::DriveList& drives, QWidget* parent) : QComboBox(parent) {
    {
        const QSignalBlocker filling(this);
        for (const auto& drive : drives.drives()) {
            QString text = QFile::decodeName(drive.text.c_str());
            if (!drive.label.empty()) text += "  " + QString::fromStdString(drive.label);
            addItem(text);
        }
        setCurrentIndex(drives.listIndex());
    }
    connect(this, &QComboBox::currentIndexChanged, this, [&drives](int index) { drives.setListIndex(index); });
}

}  // namespace window
