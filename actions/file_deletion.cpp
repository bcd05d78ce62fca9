#include "file_deletion.h"

#include "selected_file.h"

#include "browse/file_list.h"

namespace actions {

void deleteSelectedFile(const browse::Lists& lists, Services& services) {
    if (services.messageBox.ask("Are You sure?", platform::ButtonSet::YesNo) != platform::Answer::Yes) return;
    services.fileSystem.deleteFile(selectedFilePath(lists, services.fileSystem.separator()));
}

void refreshFileList(browse::Lists& lists) { lists.file1.refresh(); }

}  // namespace actions
