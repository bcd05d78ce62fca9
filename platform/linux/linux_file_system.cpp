#include "linux_file_system.h"

#include "directory_reader.h"
#include "file_identity.h"
#include "mount_table.h"

#include "platform/platform_failure.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace platform {
namespace {

std::vector<Mount> readMounts() {
    std::ifstream file("/proc/self/mountinfo");
    return parseMountInfo(std::string{std::istreambuf_iterator<char>(file), {}});
}

std::string rootText(const std::string& mountPoint) { return mountPoint == "/" ? mountPoint : mountPoint + '/'; }

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

// "/dev/mapper/x" is labelled under the node it links to. Only device paths
// are resolved: any other source is no path, or one on some other mount.
std::string resolvedDevice(const std::string& source) {
    if (!source.starts_with("/dev/")) return source;
    char resolved[PATH_MAX];
    return realpath(source.c_str(), resolved) ? std::string(resolved) : source;
}

int descriptorOf(const OpenDirectory& directory) { return static_cast<int>(directory.handle.native()); }

}  // namespace

std::vector<Drive> LinuxFileSystem::drives() const {
    const std::vector<Mount> mounts = readMounts();
    const std::map<std::string, std::string> labels = volumeLabels();
    std::vector<Drive> drives;
    for (const Mount& mount : desktopMounts(mounts, homeDirectory(), workingDirectoryIfAny(*this))) {
        const auto label = labels.find(resolvedDevice(mount.source));
        drives.push_back({'[' + mount.point + ']', rootText(mount.point), label != labels.end() ? label->second : mount.type});
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
    const std::vector<Mount> mounts = readMounts();
    const Mount* holding = mountHolding(mounts, cwd);
    return holding && rootText(holding->point) == drive.root.native() ? Path(cwd) : drive.root;
}

DirectoryListing LinuxFileSystem::readDirectory(const Path& directory) const { return readEntries(directory); }

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
    if (!itself) return std::nullopt;
    if (type != S_IFLNK) {  // not a link: it leads to itself
        if (type == S_IFDIR) return std::nullopt;
        return EntryIdentity{*itself, *itself};
    }
    std::optional<FileIdentity> target = identityAt(descriptorOf(directory), entry.c_str(), true, &type);
    if (!target || type == S_IFDIR) return std::nullopt;
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

void LinuxFileSystem::deleteFile(const OpenDirectory& directory, NativeView name) {
    const NativeString entry(name);
    const Path target = directory.path.native() + (directory.path.native().ends_with('/') ? "" : "/") + entry;
    // Removed through the directory that was checked, never through its path,
    // which may lead elsewhere by now; the link itself, if it is one.
    struct stat info;
    if (fstatat(descriptorOf(directory), entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        throw PlatformFailure::fromSystemError(errno, target);
    if (S_ISDIR(info.st_mode)) throw PlatformFailure::fromSystemError(EISDIR, target);
    if (unlinkat(descriptorOf(directory), entry.c_str(), 0) != 0) throw PlatformFailure::fromSystemError(errno, target);
}

}  // namespace platform
