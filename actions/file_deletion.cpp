#include "file_deletion.h"

#include "browse/as_shown.h"
#include "platform/display_text.h"

#include <stdexcept>

namespace actions {

void deleteSelectedFile(const browse::Lists& lists, platform::Dialogs& dialogs) {
    const browse::FileList& files = lists.file1();
    if (files.path().empty()) throw std::runtime_error("No folder is open.");
    platform::NativeString target = files.path().native();
    target += lists.fileSystem().separator();
    target += files.fileName();
    if (!dialogs.confirm("Are You sure?", platform::displayText(target))) return;
    if (files.fileName().empty()) throw std::runtime_error("No file is selected. Nothing was deleted.");
    // The directory that was listed, and in it the file that was selected, or nothing.
    const platform::OpenDirectory directory =
        browse::openAsShown(lists.fileSystem(), files.path(), files.directoryIdentity());
    browse::checkStillSelected(lists.fileSystem(), directory, files.fileName(), files.selectedIdentity());
    lists.fileSystem().deleteFile(directory, files.fileName());
}

}  // namespace actions
