#include "file_deletion.h"

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
    lists.fileSystem().deleteFile(files.directory(), files.path(), files.fileName(), files.selectedIdentity());
}

}  // namespace actions
