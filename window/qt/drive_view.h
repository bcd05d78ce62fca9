#pragma once

#include "browse/drive_list.h"
#include "window/controls.h"

#include <QComboBox>
#include <functional>

namespace window {

// Drive1 on screen: a drop-down of the drives. Every pick raises Change, the
// same drive picked again too (the lists decide whether there is anything to
// do); opening the list raises DropDown first, so it shows the drives there
// are now.
class DriveView final : public QComboBox {
public:
    DriveView(const browse::DriveList& drives, std::function<void(Event, int)> raise, QWidget* parent);
    // Shows the drives and the selection as the list has them.
    void showList();
    void showPopup() override;

private:
    const browse::DriveList& drives_;
    std::function<void(Event, int)> raise_;
};

}  // namespace window
