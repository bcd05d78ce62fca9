#pragma once

#include "sorted_names.h"

#include "platform/file_system.h"

#include <optional>
#include <vector>

namespace browse {

class Lists;

// Dir1: the open directory with its ancestors from the top (a drive's root)
// down, and its subdirectories. Entries are numbered relative to the open
// directory: -1 is the open directory, 0 upward its subdirectories, -2 (the
// parent) downward its ancestors.
class DirList {
public:
    const platform::Path& path() const { return path_; }
    const platform::Path& top() const { return top_; }
    int listIndex() const { return highlighted_; }
    // The path text of entry `index`; throws std::out_of_range for no entry.
    platform::Path list(int index) const;
    // Before any directory was opened there are no entries at all.
    bool hasEntry(int index) const { return !path_.empty() && index >= firstIndex() && index < listCount(); }
    int listCount() const { return static_cast<int>(subdirectories_.size()); }
    int firstIndex() const { return -static_cast<int>(ancestors_.size()) - 1; }

    // What entry `index` shows: the last name of its path, a root whole.
    platform::NativeView shownName(int index) const;
    // The longest names of the open directory's subdirectories, for a view to measure.
    std::vector<platform::NativeView> longestSubdirectoryNames() const { return subdirectories_.longest(); }

    // Which directory the highlighted entry was when it was listed or
    // highlighted; nothing when that could not be told.
    const std::optional<platform::FileIdentity>& highlightedIdentity() const { return highlightedIdentity_; }

    // Counts each replacement of the entries, for views to notice.
    unsigned generation() const { return generation_; }

private:
    friend class Lists;
    void show(platform::Path top, platform::Path directory, SortedNames subdirectories, platform::NativeChar separator);
    // The identity an ancestor's entry had when it was listed.
    const std::optional<platform::FileIdentity>& ancestorIdentity(int index) const;

    platform::Path top_;
    platform::Path path_;
    std::vector<platform::Path> ancestors_;  // top first
    std::vector<std::optional<platform::FileIdentity>> ancestorIdentities_;
    platform::FileIdentity identity_;  // of the open directory
    std::optional<platform::FileIdentity> highlightedIdentity_;
    SortedNames subdirectories_;
    platform::NativeChar separator_ = '/';
    int highlighted_ = -1;
    unsigned generation_ = 0;
};

}  // namespace browse
