#pragma once

#include "name_list.h"

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// A drive as the drive list shows it. `text` is what the directory list
// accepts as a drive ("D:" or "[/home]"); `root` is the root's path text,
// always ending in the separator ("D:\", "/home/", "/").
struct Drive {
    std::string text;
    std::filesystem::path root;
    std::string label;  // shown beside the text, may be empty
};

// A directory's entries, hidden and system ones left out, unsorted: the
// names (not paths) of its subdirectories and of its files.
struct DirectoryListing {
    NameList subdirectories;
    NameList files;
};

// The file system as the lists and the deletion see it. Paths are path texts
// in the file system's own syntax and bytes. Every call either succeeds or
// throws PlatformFailure.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The one character that joins a directory and a name.
    virtual char separator() const = 0;

    virtual std::vector<Drive> drives() const = 0;
    // The drive whose root holds `directory` (the longest matching root).
    virtual Drive driveOf(const std::filesystem::path& directory) const = 0;
    virtual std::filesystem::path workingDirectory() const = 0;

    // The text that opens the root of the drive holding the working directory.
    virtual std::filesystem::path currentRootText() const = 0;

    // The directory that an assigned text opens: a drive text opens that
    // drive's current directory as the system keeps it, the current-root text
    // opens that root, any other text names a directory. The result is in
    // canonical form: a root ends in the separator, no other directory does.
    virtual std::filesystem::path resolveDirectory(const std::string& text) const = 0;

    // Reads a directory in one pass.
    virtual DirectoryListing readDirectory(const std::filesystem::path& directory) const = 0;

    // Removes exactly one entry that is not a directory.
    virtual void deleteFile(const std::filesystem::path& target) = 0;
};

}  // namespace platform
