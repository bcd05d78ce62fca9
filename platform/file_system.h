#pragma once

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
// "/home/", "/"); `label` is shown beside the text, in UTF-8, maybe empty.
struct Drive {
    NativeString text;
    Path root;
    std::string label;
    friend bool operator==(const Drive&, const Drive&) = default;
};

// What tells one file from every other on the machine, whatever its name:
// device and inode on Linux, volume serial and file ID on Windows, and when
// it was made, since a number is given again to the next new file.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t fileHigh = 0;
    std::uint64_t fileLow = 0;
    std::uint64_t born = 0;  // 0 where the file system does not keep it
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// One read of a directory: the directory held open, and the names (not
// paths) of its subdirectories and its files, hidden and system ones left
// out, unsorted.
struct DirectoryListing {
    DirectoryHandle directory;
    NameList subdirectories;
    NameList files;
};

// The file system as the lists and the deletion see it. Paths are path texts
// in the system's own syntax: a root ends in the separator, no other
// directory does. Every call either succeeds or throws PlatformFailure.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The one character that joins a directory and a name.
    virtual NativeChar separator() const = 0;

    // The drives to pick from. Reads the system's table of drives only: no
    // drive's contents or metadata are touched, so a hung drive delays nothing.
    virtual std::vector<Drive> drives() const = 0;

    // The working directory; throws when it is gone.
    virtual Path workingDirectory() const = 0;

    // The directory that picking `drive` opens: the working directory on the
    // drive that holds it (while it exists), the drive's current directory as
    // the system keeps it elsewhere, else the drive's root. Reads nothing on
    // the drive itself.
    virtual Path currentDirectoryOf(const Drive& drive) const = 0;

    // Opens `directory` and reads it in one pass.
    virtual DirectoryListing readDirectory(const Path& directory) const = 0;

    // The identity of entry `name` of the listed directory, or nothing when it
    // is gone or is a directory. Never throws: it is taken when a file is
    // selected, and checked again before it is deleted.
    virtual std::optional<FileIdentity> identify(const DirectoryHandle& directory, const Path& path,
                                                 NativeView name) const = 0;

    // Removes entry `name` of the listed directory (`path` is its path text,
    // for messages and where the system needs it) if it is still the file
    // `expected` names; otherwise removes nothing and throws. Never removes a
    // directory; a link is removed, not what it points to.
    virtual void deleteFile(const DirectoryHandle& directory, const Path& path, NativeView name,
                            const std::optional<FileIdentity>& expected) = 0;
};

}  // namespace platform
