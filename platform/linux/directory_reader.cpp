#include "directory_reader.h"

#include "file_identity.h"

#include "platform/platform_failure.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
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

// DT_DIR, DT_REG, DT_LNK (not following links), or DT_UNKNOWN for anything else.
unsigned char typeAt(int directory, const char* name, bool followLinks) {
    struct stat info;
    if (fstatat(directory, name, &info, AT_NO_AUTOMOUNT | (followLinks ? 0 : AT_SYMLINK_NOFOLLOW)) != 0) return DT_UNKNOWN;
    return S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : S_ISLNK(info.st_mode) ? DT_LNK : DT_UNKNOWN;
}

// Resolver threads that may still wait on a mount that does not answer, for
// all listings together: past a few, links are no longer resolved at all
// rather than leave thread after thread stuck.
std::atomic<int> resolversRunning{0};
constexpr int mostResolvers = 32;

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
        bool abandoned = false;  // the listing went on without the rest
    };
    auto shared = std::make_shared<Shared>();
    shared->names = links;
    shared->types.assign(links.size(), DT_REG);
    constexpr size_t mostThreads = 8;
    for (size_t t = 0; t < std::min(links.size(), mostThreads); ++t) {
        if (++resolversRunning > mostResolvers) {
            --resolversRunning;
            break;
        }
        try {
            DirectoryHandle own(fcntl(directory, F_DUPFD_CLOEXEC, 0));
            if (!own.isOpen()) throw std::runtime_error("no descriptor");
            std::thread([shared, own = std::move(own)] {
                try {
                    for (;;) {
                        size_t i = 0;
                        NativeString name;
                        {
                            const std::lock_guard lock(shared->mutex);
                            if (shared->abandoned || shared->next == shared->names.size()) break;
                            i = shared->next++;
                            name = shared->names[i];
                        }
                        const unsigned char type = typeAt(static_cast<int>(own.native()), name.c_str(), true);
                        const std::lock_guard lock(shared->mutex);
                        shared->types[i] = type;
                        if (++shared->done == shared->names.size()) shared->resolved.notify_all();
                    }
                } catch (...) {
                    // out of memory: the links left count as files
                }
                --resolversRunning;
            }).detach();
        } catch (...) {
            --resolversRunning;  // no thread to be had: the links left count as files
            break;
        }
    }
    std::unique_lock lock(shared->mutex);
    shared->resolved.wait_for(lock, patience, [&] { return shared->done == links.size(); });
    shared->abandoned = true;
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
            // Where the directory does not say, a look at the entry itself, never through a link.
            const unsigned char type = entry.d_type == DT_UNKNOWN ? typeAt(fd, entry.d_name, false) : entry.d_type;
            if (type == DT_LNK) {
                links.add(entry.d_name);
                continue;
            }
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
