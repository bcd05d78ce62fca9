#include "dir_list.h"

#include "natural_order.h"
#include "path_text.h"

#include <stdexcept>

namespace browse {

DirList::DirList(const platform::FileSystem& fileSystem, ListingHandOff& handOff)
    : fileSystem_(fileSystem), handOff_(handOff) {
    show(fileSystem_.workingDirectory(), {});
}

void DirList::setPath(const std::string& text) {
    const std::filesystem::path directory = fileSystem_.resolveDirectory(text);
    platform::DirectoryListing listing = fileSystem_.readDirectory(directory);
    show(directory, sortedNaturally(listing.subdirectories));
    const ListingHandOff::Offer offer(handOff_, directory, std::move(listing.files));
    change.raise();
}

void DirList::refresh() { show(path_, sortedNaturally(fileSystem_.readDirectory(path_).subdirectories)); }

void DirList::show(const std::filesystem::path& directory, platform::NameList subdirectories) {
    const char separator = fileSystem_.separator();

    // Ancestors start at the root of the drive the list is on while the new
    // directory lies below it (opening a mount point from its parent keeps the
    // parent above it); elsewhere at the root of the drive that holds it.
    std::filesystem::path root = root_;
    if (isRootText(directory, separator))
        root = directory;
    else if (root.empty() || !liesWithin(root, directory))
        root = fileSystem_.driveOf(directory).root;

    root_ = std::move(root);
    path_ = directory;
    ancestors_ = ancestorsBelow(root_, path_, separator);
    subdirectories_ = std::move(subdirectories);
    highlighted_ = -1;
    contentsChanged.raise();
}

void DirList::setListIndex(int index) {
    if (index == highlighted_ || !hasEntry(index)) return;
    highlighted_ = index;
    highlightChanged.raise();
}

std::filesystem::path DirList::list(int index) const {
    if (!hasEntry(index)) throw std::out_of_range("no such directory entry");
    if (index >= 0) return childPath(path_, std::filesystem::path(subdirectories_[static_cast<size_t>(index)]), separator());
    if (index == -1) return path_;
    return ancestors_.at(ancestors_.size() - static_cast<size_t>(-index - 1));
}

}  // namespace browse
