#pragma once

#include "checkpoints.h"
#include "directory_handle.h"
#include "name_list.h"
#include "native.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A drive as the drive list shows it. `text` names it ("c:", "[/home]");
// `root` is its root's path text, which ends in the separator ("C:\",
// "/home/", "/"); `label` is shown beside the text, maybe empty: the system's
// own text, to be escaped like a name before it is shown.
struct Drive {
    NativeString text;
    Path root;
    NativeString label;
    friend bool operator==(const Drive&, const Drive&) = default;
};

// What tells one file or directory from every other on the machine, whatever
// its name. Where the file system keeps stable numbers (ext4, xfs, btrfs,
// tmpfs, NTFS): device and inode on Linux, volume serial and file ID on
// Windows; when it was made; and the kernel's handle for it where the file
// system gives one (it carries a generation that changes when a number is
// given again), since a number is given again to the next new file. Where it
// numbers files anew or makes numbers up (FAT, exFAT, FUSE, overlayfs,
// network volumes on Windows), a stamp instead: a file's size and times, a
// folder's birth time; the change time is never part of it.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t fileHigh = 0;
    std::uint64_t fileLow = 0;
    std::uint64_t born = 0;      // 0 where the file system does not keep it
    std::uint64_t size = 0;      // a stamp's; 0 otherwise
    std::uint64_t modified = 0;  // a stamp's; 0 otherwise
    std::string handle;          // empty where the file system gives none
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// A listed file: the entry itself, and what it leads to (the same file
// unless the entry is a link). A tool opens the one, a deletion removes the
// other, so both must still be what was selected.
struct EntryIdentity {
    FileIdentity entry;
    FileIdentity target;
    friend bool operator==(const EntryIdentity&, const EntryIdentity&) = default;
};

// One read of a directory: which directory it was, and the names (not paths)
// of its subdirectories and its files, hidden and system ones left out,
// unsorted. Nothing stays open.
struct DirectoryListing {
    FileIdentity directory;
    NameList subdirectories;
    NameList files;
};

// A directory opened for one action and closed with it.
struct OpenDirectory {
    DirectoryHandle handle;
    Path path;
};

// The file system as the lists and the actions see it. Paths are path texts
// in the system's own syntax: a root ends in the separator, no other
// directory does. Every call either succeeds or throws PlatformFailure,
// unless it says otherwise. All but separator() and driveRootOf() may block
// on a drive that does not answer: they run inside a job, off the window's
// thread, and those given the job stop at its checkpoints.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The one character that joins a directory and a name.
    virtual NativeChar separator() const = 0;

    // The root of the drive (the mount, or the volume) that holds `path`, by
    // the path's text and the system's tables alone: never touches a drive.
    // Thread-safe.
    virtual NativeString driveRootOf(const Path& path) const = 0;

    // The drives to pick from, each with its label where it gives one in time.
    virtual std::vector<Drive> drives(Checkpoints& job) const = 0;

    // The working directory; throws when it is gone.
    virtual Path workingDirectory() const = 0;

    // The directory that picking `drive` opens: the working directory on the
    // drive that holds it (while it exists), the drive's current directory as
    // the system keeps it elsewhere, else the drive's root.
    virtual Path currentDirectoryOf(const Drive& drive) const = 0;

    // Opens `directory`, reads it in one pass and closes it; `observer`
    // hears of the names as they come.
    virtual DirectoryListing readDirectory(const Path& directory, Checkpoints& job,
                                           ListingObserver* observer = nullptr) const = 0;

    // Opens the directory at `path`, links followed, for one action.
    virtual OpenDirectory openDirectory(const Path& path) const = 0;
    // Which directory that is.
    virtual FileIdentity identityOf(const OpenDirectory& directory) const = 0;

    // The identity of file `name` of an open directory; nothing when it is a
    // directory or leads to one. Throws when it cannot be looked at (it is
    // gone, say), in the system's words.
    virtual std::optional<EntryIdentity> identifyFile(const OpenDirectory& directory, NativeView name) const = 0;
    // The identity of the directory entry `name` leads to, links followed;
    // nothing when it is gone or no directory. Never throws.
    virtual std::optional<FileIdentity> identifyDirectory(const OpenDirectory& directory, NativeView name) const = 0;

    // Removes file `name` of an open directory if it is still the file
    // `shown`, checked and removed in one piece: what is removed is what was
    // checked. Otherwise throws, and nothing is removed. Never removes a
    // directory; a link is removed, not what it points to. Stops before each
    // step that changes anything once the job was given up.
    virtual void deleteFile(const OpenDirectory& directory, NativeView name, const EntryIdentity& shown,
                            Checkpoints& job) = 0;
};

}  // namespace platform
