#pragma once

#include "browse/drive_list.h"

#include <QComboBox>

namespace window {

// Drive1 on screen: a drop-down of the drives. Every change of selection by
// the user, whatever the input, selects that drive in the model, which raises
// its Change once.
class DriveView final : public QComboBox {
public:
    DriveView(browse::DriveList& drives, QWidget* parent);
};

}  // namespace window
