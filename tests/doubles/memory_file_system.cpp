#include "memory_file_system.h"

#include "platform/platform_failure.h"

using platform::PlatformFailure;

namespace {

const std::string fileNotFound = "File not found";
const std::string pathNotFound = "Path not found";

std::string rootOf(char drive) { return std::string{drive, ':', '\\'}; }

}  // namespace

MemoryFileSystem::MemoryFileSystem(std::string workingDirectory) : workingDirectory_(std::move(workingDirectory)) {
    addDirectory(workingDirectory_);
}

// "D:\\a\b\" and "D:\a\b" are the same directory; a root keeps its "\".
std::string MemoryFileSystem::canonical(const std::string& path) {
    std::string out;
    for (char c : path)
        if (c != '\\' || !out.ends_with('\\')) out += c;
    if (out.size() > 3 && out.back() == '\\') out.pop_back();
    if (out.size() == 2 && out[1] == ':') out += '\\';
    return out;
}

void MemoryFileSystem::addDirectory(const std::string& path) {
    const std::string text = canonical(path);
    for (size_t at = 2; at != std::string::npos; at = text.find('\\', at + 1))
        entries_[canonical(text.substr(0, at + 1))].directory = true;
    entries_[text].directory = true;
}

void MemoryFileSystem::addFile(const std::string& path, Marks marks) {
    const std::string text = canonical(path);
    addDirectory(text.substr(0, text.rfind('\\')));
    entries_[text] = Entry{false, marks};
}

void MemoryFileSystem::removeEntry(const std::string& path) {
    const std::string text = canonical(path);
    entries_.erase(text);
    for (auto it = entries_.lower_bound(text + '\\'); it != entries_.end() && it->first.starts_with(text + '\\');)
        it = entries_.erase(it);
}

void MemoryFileSystem::setReady(char drive, bool ready) {
    if (ready)
        notReady_.erase(drive);
    else
        notReady_.insert(drive);
}

void MemoryFileSystem::setCurrentDirectory(char drive, const std::string& path) { currentByDrive_[drive] = path; }

std::vector<platform::Drive> MemoryFileSystem::drives() const {
    std::vector<platform::Drive> drives;
    for (const auto& [path, entry] : entries_)
        if (path.size() == 3) drives.push_back({path.substr(0, 2), path, ""});
    return drives;
}

platform::Drive MemoryFileSystem::driveOf(const std::filesystem::path& directory) const {
    const char letter = directory.native().at(0);
    return {std::string{letter, ':'}, rootOf(letter), ""};
}

void MemoryFileSystem::requireReady(const std::string& path) const {
    if (path.size() < 2 || path[1] != ':' || !entries_.count(rootOf(path[0])))
        throw PlatformFailure(pathNotFound, path);
    if (notReady_.count(path[0])) throw PlatformFailure("Device unavailable", path);
}

const MemoryFileSystem::Entry& MemoryFileSystem::directoryEntry(const std::string& path) const {
    requireReady(path);
    auto found = entries_.find(canonical(path));
    if (found == entries_.end() || !found->second.directory) throw PlatformFailure(pathNotFound, path);
    return found->second;
}

std::filesystem::path MemoryFileSystem::resolveDirectory(const std::string& text) const {
    std::string directory = canonical(text);
    if (text == "\\") {
        directory = rootOf(workingDirectory_[0]);
    } else if (text.size() == 2 && text[1] == ':') {
        const char letter = text[0];
        if (letter == workingDirectory_[0])
            directory = workingDirectory_;
        else if (auto kept = currentByDrive_.find(letter); kept != currentByDrive_.end())
            directory = kept->second;
    }
    directoryEntry(directory);
    return directory;
}

platform::DirectoryListing MemoryFileSystem::readDirectory(const std::filesystem::path& directory) const {
    directoryEntry(directory.native());
    std::string prefix = canonical(directory.native());
    if (unreadable_.count(prefix)) throw PlatformFailure("Permission denied", directory.native());
    if (!prefix.ends_with('\\')) prefix += '\\';
    platform::DirectoryListing listing;
    for (auto it = entries_.lower_bound(prefix); it != entries_.end() && it->first.starts_with(prefix); ++it) {
        const std::string name = it->first.substr(prefix.size());
        const Entry& entry = it->second;
        if (name.empty() || name.find('\\') != std::string::npos || entry.marks.hidden || entry.marks.system) continue;
        (entry.directory ? listing.subdirectories : listing.files).add(name);
    }
    return listing;
}

void MemoryFileSystem::deleteFile(const std::filesystem::path& target) {
    const std::string& text = target.native();
    requireReady(text);
    auto found = entries_.find(canonical(text));
    if (found == entries_.end()) throw PlatformFailure(text.ends_with('\\') ? pathNotFound : fileNotFound, text);
    if (found->second.directory || text.ends_with('\\')) throw PlatformFailure("Access is denied", text);
    entries_.erase(found);
}
