#include "as_shown.h"

#include "platform/path_text.h"

#include "platform/platform_failure.h"

namespace browse {

platform::OpenDirectory openAsShown(const platform::FileSystem& fileSystem, const platform::Path& path,
                                    const std::optional<platform::FileIdentity>& shown) {
    platform::OpenDirectory directory = fileSystem.openDirectory(path);
    if (!shown || fileSystem.identityOf(directory) != *shown) throw platform::PlatformFailure::folderChanged(path);
    return directory;
}

void checkStillSelected(const platform::FileSystem& fileSystem, const platform::OpenDirectory& directory,
                        platform::NativeView name, const std::optional<platform::EntryIdentity>& selected) {
    if (!selected || fileSystem.identifyFile(directory, name) != selected)
        throw platform::PlatformFailure::fileChanged(platform::childPath(directory.path, name, fileSystem.separator()));
}

}  // namespace browse
