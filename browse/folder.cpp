#include "folder.h"

#include "natural_sorter.h"
#include "platform/path_text.h"

namespace browse {

Folder readFolder(const platform::FileSystem& fileSystem, platform::Checkpoints& job, const platform::Path& top,
                  const platform::Path& directory) {
    NaturalSorter sorter(job);
    platform::DirectoryListing listing = fileSystem.readDirectory(directory, job, &sorter);
    Folder folder{top,
                  directory,
                  std::move(listing.directory),
                  sorter.sorted(platform::Listed::Subdirectories, std::move(listing.subdirectories)),
                  sorter.sorted(platform::Listed::Files, std::move(listing.files)),
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
