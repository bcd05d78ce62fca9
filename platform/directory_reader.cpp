#include "directory_reader.h"

#include "platform_failure.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace platform {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// DT_DIR, DT_REG, or anything else for entries that are neither.
unsigned char typeOf(DIR* dir, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return entry.d_type;
    struct stat info;
    if (fstatat(dirfd(dir), entry.d_name, &info, 0) != 0) return DT_UNKNOWN;
    return S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
}

}  // namespace

DirectoryListing readEntries(const std::filesystem::path& directory) {
    std::unique_ptr<DIR, DirCloser> dir(opendir(directory.c_str()));
    if (!dir) throw PlatformFailure::fromErrno(errno, directory.native());

    DirectoryListing listing;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (!entry) break;
        if (entry->d_name[0] == '.') continue;  // hidden, and "." and ".."
        const unsigned char type = typeOf(dir.get(), *entry);
        if (type == DT_DIR) listing.subdirectories.add(entry->d_name);
        if (type == DT_REG) listing.files.add(entry->d_name);
    }
    if (errno != 0) throw PlatformFailure::fromErrno(errno, directory.native());
    return listing;
}

}  // namespace platform
