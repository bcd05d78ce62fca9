#pragma once

#include "open_down.h"
#include "recording_services.h"
#include "temp_tree.h"
#include "tree_file_system.h"

#include "actions/file_deletion.h"
#include "browse/lists.h"

#include <memory>
#include <string>
#include <vector>

// The lists on a file system, with jobs of their own and no window: each
// change simply waits for its job.
struct ListsOn {
    explicit ListsOn(std::shared_ptr<platform::FileSystem> fileSystem)
        : jobs([fileSystem](const platform::Path& path) { return fileSystem->driveRootOf(path); }),
          lists(std::move(fileSystem), jobs) {}
    jobs::Runner jobs;
    browse::Lists lists;
};

// A tree with drives D, E and F (D holding the working directory D/work/maps)
// and the lists on it, not yet started.
struct TreeLists {
    TreeLists() {
        tree.file("D/top.txt");
        tree.file("D/work/maps/a.pkg");
        tree.file("D/work/w.pkg");
        tree.directory("D/work/old");
        tree.file("E/e.txt");
        tree.file("E/deep/inner/x.bin");
        tree.directory("F");
    }

    platform::Path path(const platform::Path& relative) const { return (tree / relative).make_preferred(); }
    // The root's path text of a drive: its folder and the separator.
    platform::NativeString root(const std::string& drive) const { return path(drive).native() + fs.separator(); }
    int drive(const std::string& text) const {
        const auto& drives = lists.drive1().drives();
        for (size_t i = 0; i < drives.size(); ++i)
            if (drives[i].text == platform::Path(text).native()) return static_cast<int>(i);
        return -1;
    }
    int file(const std::string& name) const {
        for (int i = 0; i < lists.file1().listCount(); ++i)
            if (lists.file1().name(i) == platform::Path(name).native()) return i;
        return -2;
    }
    void openPath(const platform::Path& target) {
        openDown(lists, target, [this](int index) { lists.openDirectory(index); });
    }
    // Clicks Delete File with `dialogs` answering; the failure's text, "" for none.
    std::string deleteSelected() {
        try {
            actions::deleteSelectedFile(lists, dialogs);
        } catch (const std::exception& failure) {
            return failure.what();
        }
        return "";
    }
    std::vector<platform::Path> dirEntries() const {
        std::vector<platform::Path> entries;
        for (int i = lists.dir1().firstIndex(); i < lists.dir1().listCount(); ++i)
            entries.push_back(lists.dir1().list(i));
        return entries;
    }
    std::vector<std::string> fileNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < lists.file1().listCount(); ++i)
            names.push_back(platform::Path(lists.file1().name(i)).string());
        return names;
    }

    TempTree tree;
    std::shared_ptr<TreeFileSystem> sharedFs =
        std::make_shared<TreeFileSystem>(tree.root(), std::vector<platform::Path>{"D", "E", "F"}, path("D/work/maps"));
    TreeFileSystem& fs = *sharedFs;
    ListsOn on{sharedFs};
    browse::Lists& lists = on.lists;
    ScriptedDialogs dialogs;
};
