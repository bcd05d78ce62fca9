#include "dir_list.h"

#include "natural_order.h"
#include "path_text.h"

namespace browse {

DirList::DirList(const platform::FileSystem& fileSystem) : fileSystem_(fileSystem) {
    show(fileSystem_.workingDirectory());
}

void DirList::setPath(const std::string& text) {
    show(fileSystem_.resolveDirectory(text));
    change.raise();
}

void DirList::show(const std::filesystem::path& directory) {
    const char separator = fileSystem_.separator();
    auto names = fileSystem_.subdirectories(directory);
    sortNaturally(names);
    std::vector<std::filesystem::path> subdirectories;
    subdirectories.reserve(names.size());
    for (const auto& name : names) subdirectories.push_back(childPath(directory, name, separator));

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

const std::filesystem::path& DirList::list(int index) const {
    if (index >= 0) return subdirectories_.at(index);
    if (index == -1) return path_;
    return ancestors_.at(ancestors_.size() - static_cast<size_t>(-index - 1));
}

}  // namespace browse
