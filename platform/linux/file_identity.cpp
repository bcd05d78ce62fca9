#include "file_identity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace platform {
namespace {

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

}  // namespace

std::optional<FileIdentity> identityAt(int directory, const char* name, bool followLinks, unsigned* type) {
    const int self = name[0] == '\0' ? AT_EMPTY_PATH : 0;
    struct statx info;
    if (statx(directory, name, self | AT_NO_AUTOMOUNT | (followLinks ? 0 : AT_SYMLINK_NOFOLLOW),
              STATX_TYPE | STATX_INO | STATX_BTIME, &info) != 0)
        return std::nullopt;
    if (type) *type = info.stx_mode & S_IFMT;
    const uint64_t born = info.stx_mask & STATX_BTIME
                              ? static_cast<uint64_t>(info.stx_btime.tv_sec) * 1000000000u + info.stx_btime.tv_nsec
                              : 0;
    return FileIdentity{makedev(info.stx_dev_major, info.stx_dev_minor), 0, info.stx_ino, born,
                        kernelHandle(directory, name, self | (followLinks ? AT_SYMLINK_FOLLOW : 0))};
}

}  // namespace platform
