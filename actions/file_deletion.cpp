#include "file_deletion.h"

#include "browse/as_shown.h"
#include "platform/path_text.h"
#include "text/display_text.h"

#include <stdexcept>

namespace actions {

void deleteSelectedFile(const browse::Lists& lists, platform::Dialogs& dialogs) {
    const browse::FileList& files = lists.file1();
    if (files.path().empty()) throw std::runtime_error("No folder is open.");
    const platform::NativeString name = files.fileName();
    const platform::Path shownPath = platform::childPath(files.path(), name, lists.fileSystem().separator());
    if (!dialogs.confirm("Are You sure?",
                         name.empty() ? "No file is selected." : text::displayText(shownPath.native())))
        return;
    if (name.empty()) throw std::runtime_error("No file is selected. Nothing was deleted.");
    if (!files.selectedIdentity()) throw platform::PlatformFailure::fileChanged(shownPath);
    // The directory that was listed, and in it the file that was selected, or nothing.
    lists.jobs().run(
        files.path(),
        [fileSystem = lists.sharedFileSystem(), folder = files.path(), listed = files.directoryIdentity(), name,
         shown = *files.selectedIdentity()](jobs::Job& job) {
            const platform::OpenDirectory directory = browse::openAsShown(*fileSystem, folder, listed);
            fileSystem->deleteFile(directory, name, shown, job);
        },
        "If the deletion had already begun, it removes only the file you confirmed.");
}

}  // namespace actions
