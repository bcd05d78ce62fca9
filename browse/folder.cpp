#include "folder.h"

#include "natural_order.h"
#include "platform/path_text.h"

namespace browse {

Folder readFolder(const platform::FileSystem& fileSystem, platform::Checkpoints& job, const platform::Path& top,
                  const platform::Path& directory) {
    platform::DirectoryListing listing = fileSystem.readDirectory(directory, job);
    Folder folder{top,
                  directory,
                  std::move(listing.directory),
                  sortedNaturally(listing.subdirectories),
                  sortedNaturally(listing.files),
                  {}};
    for (const platform::Path& ancestor : platform::ancestorsBelow(top, directory, fileSystem.separator())) {
        std::optional<platform::FileIdentity> identity;
        try {
            job.enter(ancestor);
            identity = fileSystem.identityOf(fileSystem.openDirectory(ancestor));
        } catch (const jobs::Stopped&) {
            throw;
        } catch (const std::exception&) {
            // unknown: an action on it reports that it changed
        }
        folder.ancestors.push_back(std::move(identity));
    }
    return folder;
}

}  // namespace browse
