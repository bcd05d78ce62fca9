#pragma once

#include "notifier.h"

#include "platform/file_system.h"

#include <string>
#include <vector>

namespace browse {

// Drive1: the machine's drives, one of them selected. It starts on the drive
// that holds the working directory.
class DriveList {
public:
    explicit DriveList(const platform::FileSystem& fileSystem);

    const std::vector<platform::Drive>& drives() const { return drives_; }
    int listIndex() const { return selected_; }
    // Selecting another drive raises Change.
    void setListIndex(int index);
    // The selected drive as a text the directory list's Path accepts.
    const std::string& drive() const { return drives_.at(selected_).text; }

    Notifier change;

private:
    std::vector<platform::Drive> drives_;
    int selected_ = 0;
};

}  // namespace browse
