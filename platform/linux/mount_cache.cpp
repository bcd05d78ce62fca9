#include "mount_cache.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string readAll(int fd) {
    std::string text;
    if (lseek(fd, 0, SEEK_SET) != 0) return text;
    char buffer[1 << 14];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(got));
    return text;
}

}  // namespace

MountCache& MountCache::instance() {
    static MountCache* const cache = new MountCache;
    return *cache;
}

// Which mount namespace the process is in: a table read in another is not this one's.
ino_t namespaceNow() {
    struct stat info;
    return stat("/proc/self/ns/mnt", &info) == 0 ? info.st_ino : 0;
}

MountCache::MountCache() = default;

MountCache::Snapshot MountCache::now() {
    const std::lock_guard lock(mutex_);
    if (const ino_t space = namespaceNow(); fd_ < 0 || space != namespace_) {
        if (fd_ >= 0) close(fd_);
        fd_ = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        namespace_ = space;
        current_.mounts.reset();
    }
    pollfd changed{fd_, POLLPRI, 0};
    const bool stale =
        !current_.mounts || fd_ < 0 || (poll(&changed, 1, 0) > 0 && (changed.revents & (POLLPRI | POLLERR)));
    if (stale) {
        current_.mounts =
            std::make_shared<const std::vector<Mount>>(parseMountInfo(fd_ < 0 ? std::string() : readAll(fd_)));
        ++current_.generation;
    }
    return current_;
}

std::string rootText(const std::string& mountPoint) { return mountPoint == "/" ? mountPoint : mountPoint + '/'; }

}  // namespace platform
