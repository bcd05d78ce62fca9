#include "linux_file_system.h"

#include "device_links.h"
#include "directory_reader.h"
#include "file_identity.h"
#include "mount_cache.h"

#include "text/display_text.h"
#include "platform/path_text.h"
#include "platform/platform_failure.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <pwd.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The user's home from the password database: the program reads no environment.
std::string homeDirectory() {
    std::string buffer(16384, '\0');
    passwd entry;
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return {};
    return found->pw_dir;
}

// The working directory, or nothing once it is gone.
std::string workingDirectoryIfAny(const FileSystem& fileSystem) {
    try {
        return fileSystem.workingDirectory().native();
    } catch (const PlatformFailure&) {
        return {};
    }
}

int descriptorOf(const OpenDirectory& directory) { return static_cast<int>(directory.handle.native()); }

// A hidden name of the deletion's own beside the file: the file's name, so
// that it can be found again should the program end halfway, and a random tail.
NativeString privateName(const NativeString& name) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char tail[40];
    std::snprintf(tail, sizeof tail, ".quarvel2-delete-%016llx", static_cast<unsigned long long>(random()));
    constexpr size_t longestName = 255;
    return '.' + name.substr(0, longestName - 1 - std::char_traits<char>::length(tail)) + tail;
}

bool renameRefused(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP; }

}  // namespace

NativeString LinuxFileSystem::driveRootOf(const Path& path) const {
    const MountCache::Snapshot table = MountCache::instance().now();
    const Mount* holder = mountHolding(*table.mounts, path.native());
    return holder ? rootText(holder->point) : NativeString();
}

std::vector<Drive> LinuxFileSystem::drives(Checkpoints&) const {
    const MountCache::Snapshot table = MountCache::instance().now();
    const DeviceLinks devices(*table.mounts);
    const std::map<std::string, std::string> labels = devices.labels();
    std::vector<Drive> drives;
    for (const Mount& mount : desktopMounts(*table.mounts, homeDirectory(), workingDirectoryIfAny(*this))) {
        const auto label = labels.find(devices.resolve(mount.source));
        drives.push_back(
            {'[' + mount.point + ']', rootText(mount.point), label != labels.end() ? label->second : mount.type});
    }
    if (drives.empty()) drives.push_back({"[/]", "/", ""});  // no mount table to read: the root is still there
    return drives;
}

Path LinuxFileSystem::workingDirectory() const {
    std::string buffer(256, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) throw PlatformFailure::fromSystemError(errno, "(the working directory)");
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

Path LinuxFileSystem::currentDirectoryOf(const Drive& drive) const {
    const std::string cwd = workingDirectoryIfAny(*this);
    if (cwd.empty()) return drive.root;
    return driveRootOf(cwd) == drive.root.native() ? Path(cwd) : drive.root;
}

DirectoryListing LinuxFileSystem::readDirectory(const Path& directory, Checkpoints& job,
                                                ListingObserver* observer) const {
    return readEntries(
        directory, job, [this](const Path& path) { return driveRootOf(path); }, observer);
}

OpenDirectory LinuxFileSystem::openDirectory(const Path& path) const {
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw PlatformFailure::fromSystemError(errno, path);
    return {DirectoryHandle(fd), path};
}

FileIdentity LinuxFileSystem::identityOf(const OpenDirectory& directory) const {
    std::optional<FileIdentity> identity = identityAt(descriptorOf(directory), "", true);
    if (!identity) throw PlatformFailure::fromSystemError(errno, directory.path);
    return std::move(*identity);
}

std::optional<EntryIdentity> LinuxFileSystem::identifyFile(const OpenDirectory& directory, NativeView name) const {
    const NativeString entry(name);
    if (entry.empty()) return std::nullopt;
    unsigned type = 0;
    std::optional<FileIdentity> itself = identityAt(descriptorOf(directory), entry.c_str(), false, &type);
    if (!itself) throw PlatformFailure::fromSystemError(errno, childPath(directory.path, entry, '/'));
    if (type == S_IFDIR) return std::nullopt;
    if (type != S_IFLNK) return EntryIdentity{*itself, *itself};  // not a link: it leads to itself
    std::optional<FileIdentity> target = identityAt(descriptorOf(directory), entry.c_str(), true, &type);
    if (!target) throw PlatformFailure::fromSystemError(errno, childPath(directory.path, entry, '/'));
    if (type == S_IFDIR) return std::nullopt;
    return EntryIdentity{std::move(*itself), std::move(*target)};
}

std::optional<FileIdentity> LinuxFileSystem::identifyDirectory(const OpenDirectory& directory, NativeView name) const {
    const NativeString entry(name);
    if (entry.empty()) return std::nullopt;
    unsigned type = 0;
    std::optional<FileIdentity> identity = identityAt(descriptorOf(directory), entry.c_str(), true, &type);
    if (type != S_IFDIR) return std::nullopt;
    return identity;
}

void LinuxFileSystem::deleteFile(const OpenDirectory& directory, NativeView name, const EntryIdentity& shown,
                                 Checkpoints& job) {
    const int fd = descriptorOf(directory);
    const NativeString entry(name);
    const Path target = childPath(directory.path, entry, '/');
    const auto removeIfShown = [&](const NativeString& now) {
        if (identifyFile(directory, now) != shown) return false;
        // unlinkat without AT_REMOVEDIR never removes a folder; a link goes, not what it leads to.
        if (unlinkat(fd, now.c_str(), 0) != 0) throw PlatformFailure::fromSystemError(errno, target);
        return true;
    };
    if (!isOverlay(fd)) {
        job.beforeActing();
        NativeString hidden = privateName(entry);
        int renamed = renameat2(fd, entry.c_str(), fd, hidden.c_str(), RENAME_NOREPLACE);
        if (renamed != 0 && errno == EEXIST) {  // a name like it already there: another one
            hidden = privateName(entry);
            renamed = renameat2(fd, entry.c_str(), fd, hidden.c_str(), RENAME_NOREPLACE);
        }
        if (renamed == 0) {
            // Under its own name now, nothing can swap it: what is checked is what goes.
            bool removed = false;
            try {
                removed = removeIfShown(hidden);
            } catch (...) {
                renameat2(fd, hidden.c_str(), fd, entry.c_str(), RENAME_NOREPLACE);
                throw;
            }
            if (removed) return;
            if (renameat2(fd, hidden.c_str(), fd, entry.c_str(), RENAME_NOREPLACE) == 0)
                throw PlatformFailure::fileChanged(target);
            throw PlatformFailure(
                "This file is no longer the one that was selected, and another file has taken its "
                "name meanwhile. Nothing was deleted. The file that had the name is now " +
                    text::displayText(childPath(directory.path, hidden, '/').native()) + ".",
                target);
        }
        if (!renameRefused(errno)) throw PlatformFailure::fromSystemError(errno, target);
    }
    // Checked and unlinked back to back: the one window left.
    std::optional<EntryIdentity> now = identifyFile(directory, entry);
    if (now != shown) throw PlatformFailure::fileChanged(target);
    job.beforeActing();
    if (unlinkat(fd, entry.c_str(), 0) != 0) throw PlatformFailure::fromSystemError(errno, target);
}

}  // namespace platform
