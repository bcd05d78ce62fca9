#include "directory_reader.h"

#include "file_identity.h"

#include "platform/platform_failure.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
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
unsigned char typeAt(int directory, const char* name) {
    struct stat info;
    if (fstatat(directory, name, &info, AT_NO_AUTOMOUNT) != 0) return DT_UNKNOWN;
    return S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
}

// What the links lead to, looked up by a few threads of their own for at most
// `patience`: a link into a mount that does not answer would hold up the whole
// listing, and holds up only the one thread that looks at it. A link not
// resolved by then is taken for a file: it is listed, and what acts on it
// later waits as on any other slow drive.
std::vector<unsigned char> linkTypes(int directory, const NameList& links, std::chrono::milliseconds patience) {
    struct Shared {
        NameList names;
        std::mutex mutex;
        std::condition_variable resolved;
        std::vector<unsigned char> types;
        size_t next = 0, done = 0;
    };
    auto shared = std::make_shared<Shared>();
    shared->names = links;
    shared->types.assign(links.size(), DT_REG);
    constexpr size_t mostThreads = 8;
    for (size_t t = 0; t < std::min(links.size(), mostThreads); ++t) {
        DirectoryHandle own(fcntl(directory, F_DUPFD_CLOEXEC, 0));
        if (!own.isOpen()) break;
        std::thread([shared, own = std::move(own)] {
            for (;;) {
                size_t i = 0;
                {
                    const std::lock_guard lock(shared->mutex);
                    if (shared->next == shared->names.size()) return;
                    i = shared->next++;
                }
                const unsigned char type = typeAt(static_cast<int>(own.native()), NativeString(shared->names[i]).c_str());
                const std::lock_guard lock(shared->mutex);
                shared->types[i] = type;
                if (++shared->done == shared->names.size()) shared->resolved.notify_all();
            }
        }).detach();
    }
    std::unique_lock lock(shared->mutex);
    shared->resolved.wait_for(lock, patience, [&] { return shared->done == links.size(); });
    return shared->types;
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

    NameList links;
    alignas(LinuxDirent64) char buffer[1 << 15];
    for (;;) {
        const long got = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (got < 0) throw PlatformFailure::fromSystemError(errno, directory);
        if (got == 0) break;
        for (long at = 0; at < got;) {
            const auto& entry = *reinterpret_cast<const LinuxDirent64*>(buffer + at);
            at += entry.d_reclen;
            if (entry.d_name[0] == '.') continue;  // hidden, and "." and ".."
            if (entry.d_type == DT_LNK) {
                links.add(entry.d_name);
                continue;
            }
            const unsigned char type = entry.d_type == DT_UNKNOWN ? typeAt(fd, entry.d_name) : entry.d_type;
            if (type == DT_DIR) listing.subdirectories.add(entry.d_name);
            if (type == DT_REG) listing.files.add(entry.d_name);
        }
    }
    if (links.empty()) return listing;
    const std::vector<unsigned char> types = linkTypes(fd, links, linkPatience);
    for (size_t i = 0; i < links.size(); ++i) {
        if (types[i] == DT_DIR) listing.subdirectories.add(links[i]);
        if (types[i] == DT_REG) listing.files.add(links[i]);
    }
    return listing;
}

}  // namespace platform
