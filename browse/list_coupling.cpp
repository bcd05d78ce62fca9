#include "list_coupling.h"

#include "dir_list.h"
#include "drive_list.h"
#include "file_list.h"

namespace browse {

void driveChange(Lists& lists) { lists.dir1.setPath(lists.drive1.drive()); }

void directoryChange(Lists& lists) { lists.file1.setPath(lists.dir1.path()); }

void startUp(Lists& lists, const platform::FileSystem& fileSystem) {
    lists.dir1.setPath(fileSystem.currentRootText().native());
}

}  // namespace browse
