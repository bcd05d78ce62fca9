#include "posix_file_system.h"

#include "directory_reader.h"
#include "mount_table.h"
#include "platform_failure.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string rootText(const std::string& mountPoint) {
    return mountPoint == "/" ? mountPoint : mountPoint + '/';
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<Drive> readDrives() {
    std::ifstream file("/proc/self/mountinfo");
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    std::vector<Drive> drives;
    for (const Mount& mount : userMounts(text))
        if (isDirectory(mount.point))  // files bind-mounted into containers are no drives
            drives.push_back({'[' + mount.point + ']', rootText(mount.point), mount.type});
    return drives;
}

bool holds(const std::string& root, const std::string& path) {
    return path.starts_with(root) || path + '/' == root;
}

}  // namespace

std::vector<Drive> PosixFileSystem::drives() const { return readDrives(); }

Drive PosixFileSystem::driveOf(const std::filesystem::path& directory) const {
    Drive best{"[/]", "/", ""};
    for (Drive& drive : readDrives())
        if (holds(drive.root.native(), directory.native()) && drive.root.native().size() >= best.root.native().size())
            best = std::move(drive);
    return best;
}

std::filesystem::path PosixFileSystem::workingDirectory() const {
    std::string buffer(256, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) throw PlatformFailure::fromErrno(errno, ".");
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

std::filesystem::path PosixFileSystem::currentRootText() const { return driveOf(workingDirectory()).root; }

std::filesystem::path PosixFileSystem::resolveDirectory(const std::string& text) const {
    if (text.size() > 2 && text.front() == '[' && text.back() == ']') {
        const std::filesystem::path cwd = workingDirectory();
        if (driveOf(cwd).text == text) return cwd;
        for (const Drive& drive : readDrives())
            if (drive.text == text) return drive.root;
        throw PlatformFailure::fromErrno(ENODEV, text);
    }
    if (!text.starts_with('/')) throw PlatformFailure::fromErrno(ENOENT, text);

    // A doubled separator reads as one; a trailing one only stays on a drive's root.
    std::string path;
    for (char c : text)
        if (c != '/' || !path.ends_with('/')) path += c;
    if (path.size() > 1 && path.back() == '/') {
        path.pop_back();
        if (driveOf(path).root.native() == path + '/') path += '/';
    }
    struct stat info;
    if (stat(path.c_str(), &info) != 0) throw PlatformFailure::fromErrno(errno, path);
    if (!S_ISDIR(info.st_mode)) throw PlatformFailure::fromErrno(ENOTDIR, path);
    return path;
}

DirectoryListing PosixFileSystem::readDirectory(const std::filesystem::path& directory) const {
    return readEntries(directory);
}

void PosixFileSystem::deleteFile(const std::filesystem::path& target) {
    // unlink never removes a directory and removes a link, not what it points to.
    if (unlink(target.c_str()) != 0) throw PlatformFailure::fromErrno(errno, target.native());
}

}  // namespace platform
