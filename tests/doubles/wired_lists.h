#pragma once

#include "browse/dir_list.h"
#include "browse/drive_list.h"
#include "browse/file_list.h"
#include "browse/list_coupling.h"

// The three lists coupled as the window couples them: a drive change opens the
// drive in Dir1, a directory change lists it in File1.
struct WiredLists {
    explicit WiredLists(const platform::FileSystem& fileSystem)
        : drive1(fileSystem), dir1(fileSystem, handOff), file1(fileSystem, handOff) {
        drive1.change.subscribe([this] { browse::driveChange(lists); });
        dir1.change.subscribe([this] { browse::directoryChange(lists); });
    }
    WiredLists(const WiredLists&) = delete;
    WiredLists& operator=(const WiredLists&) = delete;

    int driveIndex(const std::string& text) const {
        for (size_t i = 0; i < drive1.drives().size(); ++i)
            if (drive1.drives()[i].text == text) return static_cast<int>(i);
        return -1;
    }
    int fileIndex(const std::string& name) const {
        for (int i = 0; i < file1.listCount(); ++i)
            if (file1.list(i) == name) return i;
        return -1;
    }
    int dirIndex(const std::string& path) const {
        for (int i = dir1.firstIndex(); i < dir1.listCount(); ++i)
            if (dir1.list(i) == path) return i;
        return -2'000'000;
    }

    browse::ListingHandOff handOff;
    browse::DriveList drive1;
    browse::DirList dir1;
    browse::FileList file1;
    browse::Lists lists{drive1, dir1, file1};
};
