#pragma once

namespace platform {
class FileSystem;
}

namespace browse {

class DriveList;
class DirList;
class FileList;

// The three lists as one window holds them.
struct Lists {
    DriveList& drive1;
    DirList& dir1;
    FileList& file1;
};

// Drive1 changed: open the chosen drive in Dir1 (whose Change follows, nested).
void driveChange(Lists& lists);
// Dir1 changed: list its directory in File1.
void directoryChange(Lists& lists);
// The window loaded: open the root of the drive that holds the working directory.
void startUp(Lists& lists, const platform::FileSystem& fileSystem);

}  // namespace browse
