#include "file_list.h"

#include "natural_order.h"

namespace browse {

FileList::FileList(const platform::FileSystem& fileSystem, ListingHandOff& handOff)
    : fileSystem_(fileSystem), handOff_(handOff) {
    show(fileSystem_.workingDirectory(), {}, {});
}

void FileList::setPath(const std::filesystem::path& directory) {
    if (std::optional<platform::NameList> files = handOff_.take(directory))
        show(directory, sortedNaturally(*files), {});
    else
        show(directory, {});
}

void FileList::refresh() { show(path_, fileName()); }

void FileList::show(const std::filesystem::path& directory, const std::filesystem::path& keepSelected) {
    show(directory, sortedNaturally(fileSystem_.readDirectory(directory).files), keepSelected);
}

void FileList::show(const std::filesystem::path& directory, platform::NameList names,
                    const std::filesystem::path& keepSelected) {
    int selected = -1;
    if (!keepSelected.empty())
        for (size_t i = 0; i < names.size() && selected < 0; ++i)
            if (names[i] == keepSelected.native()) selected = static_cast<int>(i);
    path_ = directory;
    names_ = std::move(names);
    selected_ = selected;
    contentsChanged.raise();
}

void FileList::setListIndex(int index) {
    if (index == selected_ || index < -1 || index >= listCount()) return;
    selected_ = index;
    selectionChanged.raise();
}

std::filesystem::path FileList::fileName() const {
    return selected_ < 0 ? std::filesystem::path() : list(selected_);
}

}  // namespace browse
