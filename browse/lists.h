#pragma once

#include "dir_list.h"
#include "drive_list.h"
#include "file_list.h"
#include "folder.h"

#include "jobs/runner.h"

#include <memory>

namespace browse {

// The three linked lists, Drive1 -> Dir1 -> File1, and everything that
// changes them. File1 only ever follows Dir1: whenever Dir1 opens a directory,
// File1 lists that directory from the same read. Each change is one job:
// everything it reads, it reads off the window's thread, and the lists change
// only once all of it is known. A change that fails, or that the user gives
// up on, leaves every list as it was, except that Drive1 keeps a newly picked
// drive.
class Lists {
public:
    Lists(std::shared_ptr<platform::FileSystem> fileSystem, jobs::Runner& jobs)
        : fileSystem_(std::move(fileSystem)), jobs_(jobs) {}

    const DriveList& drive1() const { return drive1_; }
    const DirList& dir1() const { return dir1_; }
    const FileList& file1() const { return file1_; }
    platform::FileSystem& fileSystem() const { return *fileSystem_; }
    // For jobs, which keep the file system alive while they run.
    const std::shared_ptr<platform::FileSystem>& sharedFileSystem() const { return fileSystem_; }
    jobs::Runner& jobs() const { return jobs_; }

    // The window loaded: Drive1 on the drive that holds the working
    // directory, Dir1 and File1 on that drive's root. When the root cannot be
    // read they list the working directory instead; when the working
    // directory is gone, the first drive's root. Either way it then throws.
    void startUp();
    // Re-reads the table of drives (the drop-down is opening, or the system's
    // drives changed); the selected drive stays selected.
    void refreshDrives();
    // Drive1's Change: selects drive `index` and opens it in Dir1, its root
    // as Dir1's top entry, unless Dir1 is on that drive already.
    void pickDrive(int index);

    // Highlights Dir1's entry `index` without opening it, and notes which
    // directory it is.
    void highlightDirectory(int index);
    // Dir1's Change: opens entry `index`; File1 follows.
    void openDirectory(int index);

    // Selects File1's file `index`, or none with -1, and notes which file it is.
    void selectFile(int index);
    // File1's Refresh: reads its directory again; the selected file stays
    // selected while it is still there.
    void refreshFiles();

private:
    // Dir1 and File1 show `folder`, nothing highlighted but itself, no file selected.
    void show(Folder folder);
    // File1 shows `names`, read from the directory `identity` names, with nothing selected.
    void listFiles(const platform::Path& directory, platform::FileIdentity identity, SortedNames names);

    std::shared_ptr<platform::FileSystem> fileSystem_;
    jobs::Runner& jobs_;
    DriveList drive1_;
    DirList dir1_;
    FileList file1_;
};

}  // namespace browse
