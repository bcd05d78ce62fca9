#include "dir_list.h"

#include "platform/path_text.h"

#include <stdexcept>

namespace browse {

using platform::NativeChar;
using platform::Path;

void DirList::show(Path top, Path directory, SortedNames subdirectories, NativeChar separator) {
    separator_ = separator;
    ancestors_ = platform::ancestorsBelow(top, directory, separator);
    top_ = std::move(top);
    path_ = std::move(directory);
    subdirectories_ = std::move(subdirectories);
    highlighted_ = -1;
    ancestorIdentities_.clear();
    highlightedIdentity_.reset();
    ++generation_;
}

Path DirList::list(int index) const {
    if (!hasEntry(index)) throw std::out_of_range("no such directory entry");
    if (index >= 0) return platform::childPath(path_, subdirectories_[static_cast<size_t>(index)], separator_);
    if (index == -1) return path_;
    return ancestors_[ancestors_.size() - static_cast<size_t>(-index - 1)];
}

const std::optional<platform::FileIdentity>& DirList::ancestorIdentity(int index) const {
    return ancestorIdentities_.at(ancestors_.size() - static_cast<size_t>(-index - 1));
}

platform::NativeView DirList::shownName(int index) const {
    if (index >= 0) return subdirectories_[static_cast<size_t>(index)];
    const platform::NativeString& path =
        index == -1 ? path_.native() : ancestors_[ancestors_.size() - static_cast<size_t>(-index - 1)].native();
    const size_t at = path.find_last_of(separator_);
    if (at == platform::NativeString::npos || at + 1 == path.size()) return path;  // a root shows whole
    return platform::NativeView(path).substr(at + 1);
}

}  // namespace browse
