#pragma once

#include "platform/file_system.h"

#include <map>
#include <set>
#include <string>

// A file system held in memory that speaks Windows path texts: drive letters,
// "\" between names, hidden and system marks, drives that are not ready, and
// a current directory kept per drive.
struct FileMarks {
    bool hidden = false;
    bool system = false;
};

class MemoryFileSystem final : public platform::FileSystem {
public:
    using Marks = FileMarks;

    explicit MemoryFileSystem(std::string workingDirectory = "C:\\");

    // Set-up and changes from outside, on canonical texts.
    void addDirectory(const std::string& path);  // with its parents and drive
    void addFile(const std::string& path, Marks marks = {});
    void removeEntry(const std::string& path);   // and everything below it
    bool exists(const std::string& path) const { return entries_.count(canonical(path)) != 0; }
    void setReady(char drive, bool ready);
    void setCurrentDirectory(char drive, const std::string& path);
    void failReading(const std::string& directory) { unreadable_.insert(directory); }
    void setWorkingDirectory(const std::string& path) { workingDirectory_ = path; }

    char separator() const override { return '\\'; }
    std::vector<platform::Drive> drives() const override;
    platform::Drive driveOf(const std::filesystem::path& directory) const override;
    std::filesystem::path workingDirectory() const override { return workingDirectory_; }
    std::filesystem::path currentRootText() const override { return "\\"; }
    std::filesystem::path resolveDirectory(const std::string& text) const override;
    platform::DirectoryListing readDirectory(const std::filesystem::path& directory) const override;
    void deleteFile(const std::filesystem::path& target) override;

private:
    struct Entry {
        bool directory = false;
        Marks marks;
    };

    static std::string canonical(const std::string& path);
    void requireReady(const std::string& path) const;
    const Entry& directoryEntry(const std::string& path) const;


    std::map<std::string, Entry> entries_;  // canonical path -> entry
    std::set<char> notReady_;
    std::map<char, std::string> currentByDrive_;
    std::set<std::string> unreadable_;  // nothing in it can be listed
    std::string workingDirectory_;
};
