#include "directory_reader.h"

#include "file_identity.h"

#include "platform/path_text.h"
#include "platform/platform_failure.h"

#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
#include <string>
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
    if (fstatat(directory, name, &info, AT_NO_AUTOMOUNT | (followLinks ? 0 : AT_SYMLINK_NOFOLLOW)) != 0)
        return DT_UNKNOWN;
    return S_ISDIR(info.st_mode)   ? DT_DIR
           : S_ISREG(info.st_mode) ? DT_REG
           : S_ISLNK(info.st_mode) ? DT_LNK
                                   : DT_UNKNOWN;
}

// The text of where link `name` of `directory` (opened as `fd`) leads;
// empty when it cannot be read.
std::string targetText(int fd, const Path& directory, const char* name) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = readlinkat(fd, name, target.data(), target.size());
        if (length < 0) return {};
        if (static_cast<size_t>(length) < target.size()) {
            target.resize(static_cast<size_t>(length));
            break;
        }
        target.resize(target.size() * 2);
    }
    if (target.starts_with('/')) return target;
    return childPath(directory, target, '/');
}

// What the links lead to, looked up beside the job for at most `patience`: a
// link into a mount that does not answer holds up only the thread that looks
// at it, and that thread keeps its drive from getting another. A link not
// resolved in time is taken for a file: it is listed, and what acts on it
// later waits as on any other slow drive.
std::vector<unsigned char> linkTypes(int fd, const Path& directory, const NameList& links, Checkpoints& job,
                                     const std::function<NativeString(const Path&)>& rootOf,
                                     std::chrono::milliseconds patience) {
    struct Resolved {
        std::mutex mutex;
        std::vector<unsigned char> types;
    };
    auto resolved = std::make_shared<Resolved>();
    resolved->types.assign(links.size(), DT_REG);
    // The links by the drive their target's text names, each with that text.
    std::map<NativeString, std::vector<std::pair<size_t, std::string>>> byDrive;
    for (size_t i = 0; i < links.size(); ++i) {
        const NativeString name(links[i]);
        std::string target = targetText(fd, directory, name.c_str());
        if (target.empty())
            resolved->types[i] = DT_UNKNOWN;  // gone meanwhile
        else
            byDrive[rootOf(target)].emplace_back(i, std::move(target));
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    std::vector<std::unique_ptr<Aside>> resolvers;
    for (auto& [root, group] : byDrive) {
        auto own = std::make_shared<DirectoryHandle>(fcntl(fd, F_DUPFD_CLOEXEC, 0));
        if (!own->isOpen()) continue;
        std::vector<std::pair<size_t, NativeString>> names;
        for (const auto& [index, target] : group) names.emplace_back(index, NativeString(links[index]));
        auto resolver = job.aside(group.front().second, [resolved, own, names = std::move(names)] {
            for (const auto& [index, name] : names) {
                const unsigned char type = typeAt(static_cast<int>(own->native()), name.c_str(), true);
                const std::lock_guard lock(resolved->mutex);
                resolved->types[index] = type;
            }
        });
        if (resolver) resolvers.push_back(std::move(resolver));
    }
    for (const auto& resolver : resolvers) resolver->waitUntil(deadline);
    const std::lock_guard lock(resolved->mutex);
    return resolved->types;
}

}  // namespace

DirectoryListing readEntries(const Path& directory, Checkpoints& job,
                             const std::function<NativeString(const Path&)>& rootOf, ListingObserver* observer) {
    job.enter(directory);
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw PlatformFailure::fromSystemError(errno, directory);
    const DirectoryHandle closesAtTheEnd(fd);
    DirectoryListing listing;
    const std::optional<FileIdentity> identity = identityAt(fd, "", true);
    if (!identity) throw PlatformFailure::fromSystemError(errno, directory);
    listing.directory = *identity;

    BlockTeller subdirectories(observer, Listed::Subdirectories, listing.subdirectories);
    BlockTeller files(observer, Listed::Files, listing.files);
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
        subdirectories.tell(false);
        files.tell(false);
    }
    if (!links.empty()) {
        const std::vector<unsigned char> types = linkTypes(fd, directory, links, job, rootOf, linkPatience);
        for (size_t i = 0; i < links.size(); ++i) {
            if (types[i] == DT_DIR) listing.subdirectories.add(links[i]);
            if (types[i] == DT_REG) listing.files.add(links[i]);
        }
    }
    subdirectories.tell(true);
    files.tell(true);
    return listing;
}

}  // namespace platform
