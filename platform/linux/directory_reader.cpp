#include "directory_reader.h"

#include "file_identity.h"

#include "platform/platform_failure.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace {

struct LinuxDirent64 {
    ino64_t d_ino;
    off64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[];
};

// DT_DIR, DT_REG, or anything else for entries that are neither.
unsigned char typeOf(int directory, const LinuxDirent64& entry) {
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return entry.d_type;
    struct stat info;
    if (fstatat(directory, entry.d_name, &info, 0) != 0) return DT_UNKNOWN;
    return S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
}

}  // namespace

DirectoryListing readEntries(const Path& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw PlatformFailure::fromSystemError(errno, directory);
    const DirectoryHandle closesAtTheEnd(fd);
    DirectoryListing listing;
    const std::optional<FileIdentity> identity = identityAt(fd, "", true);
    if (!identity) throw PlatformFailure::fromSystemError(errno, directory);
    listing.directory = *identity;

    alignas(LinuxDirent64) char buffer[1 << 15];
    for (;;) {
        const long got = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (got < 0) throw PlatformFailure::fromSystemError(errno, directory);
        if (got == 0) break;
        for (long at = 0; at < got;) {
            const auto& entry = *reinterpret_cast<const LinuxDirent64*>(buffer + at);
            at += entry.d_reclen;
            if (entry.d_name[0] == '.') continue;  // hidden, and "." and ".."
            const unsigned char type = typeOf(fd, entry);
            if (type == DT_DIR) listing.subdirectories.add(entry.d_name);
            if (type == DT_REG) listing.files.add(entry.d_name);
        }
    }
    return listing;
}

}  // namespace platform
