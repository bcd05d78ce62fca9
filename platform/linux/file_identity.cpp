#include "file_identity.h"

#include "mount_cache.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <functional>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace platform {

namespace {

#ifndef EXFAT_SUPER_MAGIC
constexpr long EXFAT_SUPER_MAGIC = 0x2011BAB0;
#endif
#ifndef FUSE_SUPER_MAGIC
constexpr long FUSE_SUPER_MAGIC = 0x65735546;
#endif

// The kernel's handle as bytes, its type first; empty where there is none
// (exFAT, some network file systems).
std::string kernelHandle(int directory, const char* name, int flags) {
    alignas(file_handle) unsigned char storage[sizeof(file_handle) + MAX_HANDLE_SZ];
    auto* handle = reinterpret_cast<file_handle*>(storage);
    handle->handle_bytes = MAX_HANDLE_SZ;
    int mountId = 0;
    if (name_to_handle_at(directory, name, handle, &mountId, flags) != 0) return {};
    std::string bytes(reinterpret_cast<const char*>(&handle->handle_type), sizeof handle->handle_type);
    bytes.append(reinterpret_cast<const char*>(handle->f_handle), handle->handle_bytes);
    return bytes;
}

long typeOf(int fd) {
    struct statfs info;
    return fstatfs(fd, &info) == 0 ? static_cast<long>(info.f_type) : 0;
}

bool unstable(long type) {
    return type == MSDOS_SUPER_MAGIC || type == EXFAT_SUPER_MAGIC || type == FUSE_SUPER_MAGIC ||
           type == OVERLAYFS_SUPER_MAGIC;
}

// statfs once per device while the mount table stays as it is: on FUSE every
// statfs is a request to the file system's server.
struct KindCache {
    std::mutex mutex;
    unsigned generation = 0;
    std::map<dev_t, bool> unstable;
};

KindCache& kindCache() {
    static KindCache* const cache = new KindCache;
    return *cache;
}

std::uint64_t nanoseconds(const statx_timestamp& time) {
    return static_cast<std::uint64_t>(time.tv_sec) * 1000000000u + time.tv_nsec;
}

}  // namespace

bool numbersAreUnstable(dev_t device, const std::function<int()>& openOnIt) {
    const unsigned generation = MountCache::instance().now().generation;
    KindCache& cache = kindCache();
    {
        const std::lock_guard lock(cache.mutex);
        if (cache.generation != generation) {
            cache.unstable.clear();
            cache.generation = generation;
        }
        if (const auto found = cache.unstable.find(device); found != cache.unstable.end()) return found->second;
    }
    const int fd = openOnIt();
    if (fd < 0) return true;  // unknown: a stamp is the safer comparison
    const bool answer = unstable(typeOf(fd));
    close(fd);
    const std::lock_guard lock(cache.mutex);
    cache.unstable[device] = answer;
    return answer;
}

bool isOverlay(int fd) { return typeOf(fd) == OVERLAYFS_SUPER_MAGIC; }

std::optional<FileIdentity> identityAt(int directory, const char* name, bool followLinks, unsigned* type) {
    const int self = name[0] == '\0' ? AT_EMPTY_PATH : 0;
    const int follow = followLinks ? 0 : AT_SYMLINK_NOFOLLOW;
    struct statx info;
    if (statx(directory, name, self | AT_NO_AUTOMOUNT | follow,
              STATX_TYPE | STATX_INO | STATX_BTIME | STATX_SIZE | STATX_MTIME, &info) != 0)
        return std::nullopt;
    const unsigned kind = info.stx_mode & S_IFMT;
    if (type) *type = kind;
    const dev_t device = makedev(info.stx_dev_major, info.stx_dev_minor);
    const std::uint64_t born = info.stx_mask & STATX_BTIME ? nanoseconds(info.stx_btime) : 0;

    const bool stamped = numbersAreUnstable(device, [&] {
        return openat(directory, self ? "." : name, O_PATH | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    });
    if (stamped) {
        FileIdentity stamp{device, 0, 0, born, 0, 0, {}};
        if (kind != S_IFDIR) {  // a folder's size and time change with what is made in it
            stamp.size = info.stx_size;
            stamp.modified = nanoseconds(info.stx_mtime);
        }
        return stamp;
    }
    return FileIdentity{device,
                        0,
                        info.stx_ino,
                        born,
                        0,
                        0,
                        kernelHandle(directory, name, self | (followLinks ? AT_SYMLINK_FOLLOW : 0))};
}

}  // namespace platform
