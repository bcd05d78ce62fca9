#pragma once

#include "platform/file_system.h"

#include <vector>

namespace browse {

class Lists;

// Drive1: the machine's drives, one of them selected.
class DriveList {
public:
    const std::vector<platform::Drive>& drives() const { return drives_; }
    int listIndex() const { return selected_; }
    // The selected drive; there is always one once the lists have started.
    const platform::Drive& drive() const { return drives_.at(static_cast<size_t>(selected_)); }

private:
    friend class Lists;
    std::vector<platform::Drive> drives_;
    int selected_ = -1;
};

}  // namespace browse
