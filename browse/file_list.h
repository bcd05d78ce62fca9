#pragma once

#include "listing_hand_off.h"
#include "notifier.h"

#include "platform/file_system.h"

#include <filesystem>
#include <vector>

namespace browse {

// File1: the listable files of one directory, at most one of them selected.
// It does not watch the directory: what changed there shows after Refresh or
// a change of Path.
class FileList {
public:
    // Stands on the working directory, its files not yet read (start-up
    // lists another directory at once); refresh() reads them.
    FileList(const platform::FileSystem& fileSystem, ListingHandOff& handOff);

    const std::filesystem::path& path() const { return path_; }
    // Lists `directory` with no file selected: the names the directory list
    // has just read of it, or else what a read finds. When it cannot be read,
    // it throws and nothing changes.
    void setPath(const std::filesystem::path& directory);
    // Reads the same directory again; a selected file that is still there
    // stays selected.
    void refresh();

    int listCount() const { return static_cast<int>(names_.size()); }
    std::string_view name(int index) const { return names_[static_cast<size_t>(index)]; }  // 0 <= index < listCount()
    std::filesystem::path list(int index) const { return std::filesystem::path(name(index)); }
    int listIndex() const { return selected_; }
    // Selects file `index`; -1 selects none.
    void setListIndex(int index);
    // The selected file's name without its directory; empty when none is.
    std::filesystem::path fileName() const;

    Notifier contentsChanged;
    Notifier selectionChanged;

private:
    void show(const std::filesystem::path& directory, const std::filesystem::path& keepSelected);
    void show(const std::filesystem::path& directory, platform::NameList names, const std::filesystem::path& keepSelected);

    const platform::FileSystem& fileSystem_;
    ListingHandOff& handOff_;
    std::filesystem::path path_;
    platform::NameList names_;
    int selected_ = -1;
};

}  // namespace browse
