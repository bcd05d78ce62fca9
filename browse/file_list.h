#pragma once

#include "sorted_names.h"

#include "platform/file_system.h"

#include <optional>

namespace browse {

class Lists;

// File1: the listable files of one directory, at most one of them selected.
// It keeps which directory it listed and which file was selected, and holds
// neither open. It does not watch the directory: what changed
// there shows after a re-read or a change of directory.
class FileList {
public:
    const platform::Path& path() const { return path_; }
    int listCount() const { return static_cast<int>(names_.size()); }
    platform::NativeView name(int index) const { return names_[static_cast<size_t>(index)]; }
    // The longest names, for a view to measure.
    std::vector<platform::NativeView> longestNames() const { return names_.longest(); }
    int listIndex() const { return selected_; }
    // The selected file's name without its directory; empty when none is.
    platform::NativeString fileName() const;

    // Which directory the names were read from.
    const platform::FileIdentity& directoryIdentity() const { return directoryIdentity_; }
    // Which file the selected name was when it was selected; nothing when
    // that could not be told.
    const std::optional<platform::EntryIdentity>& selectedIdentity() const { return identity_; }

    unsigned generation() const { return generation_; }

private:
    friend class Lists;
    platform::Path path_;
    platform::FileIdentity directoryIdentity_;
    SortedNames names_;
    int selected_ = -1;
    std::optional<platform::EntryIdentity> identity_;
    unsigned generation_ = 0;
};

}  // namespace browse
