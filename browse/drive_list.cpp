#include "drive_list.h"

#include <algorithm>

namespace browse {

DriveList::DriveList(const platform::FileSystem& fileSystem) : drives_(fileSystem.drives()) {
    const platform::Drive current = fileSystem.driveOf(fileSystem.workingDirectory());
    auto found = std::find_if(drives_.begin(), drives_.end(),
                              [&](const platform::Drive& drive) { return drive.text == current.text; });
    if (found == drives_.end()) found = drives_.insert(drives_.end(), current);
    selected_ = static_cast<int>(found - drives_.begin());
}

void DriveList::setListIndex(int index) {
    if (index == selected_ || index < 0 || index >= static_cast<int>(drives_.size())) return;
    selected_ = index;
    change.raise();
}

}  // namespace browse
