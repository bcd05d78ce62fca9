#pragma once

#include "listing_hand_off.h"
#include "notifier.h"

#include "platform/file_system.h"

#include <filesystem>
#include <string>
#include <vector>

namespace browse {

// Dir1: the open directory with its ancestors from the drive root down and its
// subdirectories. Entries are numbered as the user sees them relative to the
// open directory: -1 is the open directory, 0 upward its subdirectories, -2
// (the parent) downward its ancestors.
class DirList {
public:
    // Stands on the working directory, its entries not yet read (start-up
    // opens another directory at once); refresh() reads them. Raises nothing.
    DirList(const platform::FileSystem& fileSystem, ListingHandOff& handOff);

    const std::filesystem::path& path() const { return path_; }
    char separator() const { return fileSystem_.separator(); }
    // Opens the directory that `text` names (a path, a drive text, or the
    // current-root text), highlights it and raises Change. When it cannot be
    // read, it throws and nothing changes.
    void setPath(const std::string& text);
    // Reads the open directory again; raises no Change.
    void refresh();

    int listIndex() const { return highlighted_; }
    // Highlights an entry without opening it.
    void setListIndex(int index);
    // The path text of entry `index`.
    std::filesystem::path list(int index) const;
    bool hasEntry(int index) const { return index >= firstIndex() && index < listCount(); }
    // Subdirectories only; entries run from firstIndex() to listCount() - 1.
    int listCount() const { return static_cast<int>(subdirectories_.size()); }
    int firstIndex() const { return -static_cast<int>(ancestors_.size()) - 1; }

    Notifier change;     // Path changed
    Notifier contentsChanged;  // entries replaced
    Notifier highlightChanged;

private:
    void show(const std::filesystem::path& directory, platform::NameList subdirectories);

    const platform::FileSystem& fileSystem_;
    ListingHandOff& handOff_;
    std::filesystem::path root_;
    std::filesystem::path path_;
    std::vector<std::filesystem::path> ancestors_;       // root first
    platform::NameList subdirectories_;                  // names, in order
    int highlighted_ = -1;
};

}  // namespace browse
