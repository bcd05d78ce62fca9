#include "file_list.h"

#include "natural_order.h"

#include <algorithm>

namespace browse {

FileList::FileList(const platform::FileSystem& fileSystem) : fileSystem_(fileSystem) {
    show(fileSystem_.workingDirectory(), {});
}

void FileList::setPath(const std::filesystem::path& directory) { show(directory, {}); }

void FileList::refresh() { show(path_, fileName()); }

void FileList::show(const std::filesystem::path& directory, const std::filesystem::path& keepSelected) {
    auto names = fileSystem_.listableFiles(directory);
    sortNaturally(names);
    int selected = -1;
    if (!keepSelected.empty()) {
        auto found = std::find(names.begin(), names.end(), keepSelected);
        if (found != names.end()) selected = static_cast<int>(found - names.begin());
    }
    path_ = directory;
    names_.swap(names);
    selected_ = selected;
    contentsChanged.raise();
}

void FileList::setListIndex(int index) {
    if (index == selected_ || index < -1 || index >= listCount()) return;
    selected_ = index;
    selectionChanged.raise();
}

std::filesystem::path FileList::fileName() const {
    return selected_ < 0 ? std::filesystem::path() : names_[selected_];
}

}  // namespace browse
