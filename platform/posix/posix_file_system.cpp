#include "posix_file_system.h"

#include "directory_reader.h"
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

// The entry itself, a link not followed; throws with the system's words.
struct statx entryInfo(const DirectoryHandle& directory, const NativeString& name, const Path& subject) {
    struct statx info;
    if (statx(static_cast<int>(directory.native()), name.c_str(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
              STATX_TYPE | STATX_INO | STATX_BTIME, &info) != 0)
        throw PlatformFailure::fromSystemError(errno, subject);
    return info;
}

std::optional<FileIdentity> identityOf(const struct statx& info) {
    if (S_ISDIR(info.stx_mode)) return std::nullopt;
    const uint64_t born = info.stx_mask & STATX_BTIME
                              ? static_cast<uint64_t>(info.stx_btime.tv_sec) * 1000000000u + info.stx_btime.tv_nsec
                              : 0;
    return FileIdentity{makedev(info.stx_dev_major, info.stx_dev_minor), 0, info.stx_ino, born};
}

int descriptorOf(const DirectoryHandle& directory) { return static_cast<int>(directory.native()); }

}  // namespace

std::vector<Drive> PosixFileSystem::drives() const {
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

Path PosixFileSystem::workingDirectory() const {
    std::string buffer(256, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) throw PlatformFailure::fromSystemError(errno, "(the working directory)");
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

Path PosixFileSystem::currentDirectoryOf(const Drive& drive) const {
    const std::string cwd = workingDirectoryIfAny(*this);
    if (cwd.empty()) return drive.root;
    const std::vector<Mount> mounts = readMounts();
    const Mount* holding = mountHolding(mounts, cwd);
    return holding && rootText(holding->point) == drive.root.native() ? Path(cwd) : drive.root;
}

DirectoryListing PosixFileSystem::readDirectory(const Path& directory) const { return readEntries(directory); }

std::optional<FileIdentity> PosixFileSystem::identify(const DirectoryHandle& directory, const Path& path,
                                                      NativeView name) const {
    try {
        return identityOf(entryInfo(directory, NativeString(name), path));
    } catch (const PlatformFailure&) {
        return std::nullopt;
    }
}

void PosixFileSystem::deleteFile(const DirectoryHandle& directory, const Path& path, NativeView name,
                                 const std::optional<FileIdentity>& expected) {
    const NativeString entry(name);
    const Path target = path.native() + '/' + entry;
    // Looked at and removed through the directory that was listed, never
    // through its path, which may lead elsewhere by now; the link itself, if
    // it is one.
    const struct statx info = entryInfo(directory, entry, target);
    if (S_ISDIR(info.stx_mode)) throw PlatformFailure::fromSystemError(EISDIR, target);
    if (!expected || identityOf(info) != expected)
        throw PlatformFailure("This is no longer the file that was selected: it was replaced since. Nothing was deleted.",
                              target);
    if (unlinkat(descriptorOf(directory), entry.c_str(), 0) != 0) throw PlatformFailure::fromSystemError(errno, target);
}

}  // namespace platform
