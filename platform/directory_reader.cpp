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

bool isKind(DIR* dir, const dirent& entry, EntryKind kind) {
    unsigned char type = entry.d_type;
    if (type == DT_UNKNOWN || type == DT_LNK) {
        struct stat info;
        if (fstatat(dirfd(dir), entry.d_name, &info, 0) != 0) return false;
        type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    return kind == EntryKind::Directory ? type == DT_DIR : type == DT_REG;
}

}  // namespace

NameList readEntries(const std::filesystem::path& directory, EntryKind kind) {
    std::unique_ptr<DIR, DirCloser> dir(opendir(directory.c_str()));
    if (!dir) throw PlatformFailure::fromErrno(errno, directory.native());

    NameList names;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (!entry) break;
        if (entry->d_name[0] == '.') continue;  // hidden, and "." and ".."
        if (isKind(dir.get(), *entry, kind)) names.add(entry->d_name);
    }
    if (errno != 0) throw PlatformFailure::fromErrno(errno, directory.native());
    return names;
}

}  // namespace platform
