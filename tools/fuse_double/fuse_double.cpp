#define FUSE_USE_VERSION 35
#include "fuse_double.h"

#include <fuse.h>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

FuseDouble& self() { return *static_cast<FuseDouble*>(fuse_get_context()->private_data); }

// The request's own work on the backing folder: 0, or -errno.
int done(int result) { return result < 0 ? -errno : 0; }

const std::string& realOf(const char* operation, const char* path, std::string& storage) {
    self().arrive(operation, path);
    storage = self().real(path);
    return storage;
}

void* init(fuse_conn_info*, fuse_config* config) {
    auto* double_ = static_cast<FuseDouble*>(fuse_get_context()->private_data);
    config->use_ino = double_->options().stableNumbers;
    config->attr_timeout = config->entry_timeout = config->negative_timeout = 0;
    config->kernel_cache = 0;
    return double_;
}

int getattr(const char* path, struct stat* info, fuse_file_info*) {
    std::string real;
    return done(lstat(realOf("getattr", path, real).c_str(), info));
}

int readlink(const char* path, char* buffer, size_t size) {
    std::string real;
    const ssize_t length = ::readlink(realOf("readlink", path, real).c_str(), buffer, size - 1);
    if (length < 0) return -errno;
    buffer[length] = '\0';
    return 0;
}

int readdir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*, fuse_readdir_flags) {
    std::string real;
    DIR* folder = opendir(realOf("readdir", path, real).c_str());
    if (!folder) return -errno;
    while (const dirent* entry = ::readdir(folder)) {
        struct stat info {};
        info.st_ino = entry->d_ino;
        info.st_mode = static_cast<mode_t>(DTTOIF(entry->d_type));  // so that the listing tells each entry's type
        fill(buffer, entry->d_name, &info, 0, static_cast<fuse_fill_dir_flags>(0));
    }
    closedir(folder);
    return 0;
}

int open(const char* path, fuse_file_info* file) {
    std::string real;
    const int fd = ::open(realOf("open", path, real).c_str(), file->flags);
    if (fd < 0) return -errno;
    file->fh = static_cast<uint64_t>(fd);
    return 0;
}

int create(const char* path, mode_t mode, fuse_file_info* file) {
    std::string real;
    const int fd = ::open(realOf("create", path, real).c_str(), file->flags, mode);
    if (fd < 0) return -errno;
    file->fh = static_cast<uint64_t>(fd);
    return 0;
}

int read(const char*, char* buffer, size_t size, off_t offset, fuse_file_info* file) {
    self().arrive("read", "");
    const ssize_t got = pread(static_cast<int>(file->fh), buffer, size, offset);
    return got < 0 ? -errno : static_cast<int>(got);
}

int write(const char*, const char* buffer, size_t size, off_t offset, fuse_file_info* file) {
    self().arrive("write", "");
    const ssize_t put = pwrite(static_cast<int>(file->fh), buffer, size, offset);
    return put < 0 ? -errno : static_cast<int>(put);
}

int release(const char*, fuse_file_info* file) {
    close(static_cast<int>(file->fh));
    return 0;
}

int unlink(const char* path) {
    std::string real;
    return done(::unlink(realOf("unlink", path, real).c_str()));
}

int rename(const char* from, const char* to, unsigned int flags) {
    std::string realFrom, realTo = self().real(to);
    return done(renameat2(AT_FDCWD, realOf("rename", from, realFrom).c_str(), AT_FDCWD, realTo.c_str(), flags));
}

int mkdir(const char* path, mode_t mode) {
    std::string real;
    return done(::mkdir(realOf("mkdir", path, real).c_str(), mode));
}

int rmdir(const char* path) {
    std::string real;
    return done(::rmdir(realOf("rmdir", path, real).c_str()));
}

int symlink(const char* target, const char* path) {
    std::string real;
    return done(::symlink(target, realOf("symlink", path, real).c_str()));
}

int access(const char* path, int mode) {
    std::string real;
    return done(::access(realOf("access", path, real).c_str(), mode));
}

int statfs(const char* path, struct statvfs* info) {
    std::string real;
    return done(statvfs(realOf("statfs", path, real).c_str(), info));
}

int utimens(const char* path, const timespec times[2], fuse_file_info*) {
    std::string real;
    return done(utimensat(AT_FDCWD, realOf("utimens", path, real).c_str(), times, AT_SYMLINK_NOFOLLOW));
}

fuse_operations operations() {
    fuse_operations ops{};
    ops.init = init;
    ops.getattr = getattr;
    ops.readlink = readlink;
    ops.readdir = readdir;
    ops.open = open;
    ops.create = create;
    ops.read = read;
    ops.write = write;
    ops.release = release;
    ops.unlink = unlink;
    ops.rename = rename;
    ops.mkdir = mkdir;
    ops.rmdir = rmdir;
    ops.symlink = symlink;
    ops.access = access;
    ops.statfs = statfs;
    ops.utimens = utimens;
    return ops;
}

}  // namespace

FuseDouble::FuseDouble(std::filesystem::path backing, std::filesystem::path point, Options options)
    : backing_(std::move(backing)), point_(std::move(point)), options_(options) {
    if (geteuid() != 0 || ::access("/dev/fuse", R_OK | W_OK) != 0) return;
    const char* arguments[] = {"fuse-double"};
    fuse_args args = FUSE_ARGS_INIT(1, const_cast<char**>(arguments));
    static const fuse_operations ops = operations();
    fuse_ = fuse_new(&args, &ops, sizeof ops, this);
    fuse_opt_free_args(&args);
    if (!fuse_) return;
    if (fuse_mount(fuse_, point_.c_str()) != 0) {
        fuse_destroy(fuse_);
        fuse_ = nullptr;
        return;
    }
    mounted_ = true;
    loop_ = std::thread([this] {
        fuse_loop_config config{};
        config.max_idle_threads = 10;
        fuse_loop_mt(fuse_, &config);
    });
}

FuseDouble::~FuseDouble() {
    if (!fuse_) return;
    release();
    fuse_exit(fuse_);
    fuse_unmount(fuse_);  // the loop's read fails now, and it ends
    loop_.join();
    fuse_destroy(fuse_);
}

void FuseDouble::arrive(const char* operation, const char* path) {
    std::function<void(const std::string&)> hook;
    std::chrono::milliseconds delay;
    {
        std::unique_lock lock(mutex_);
        ++counts_[operation];
        if (held_ == operation && !released_) {
            ++waiting_;
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_; });
        }
        if (const auto found = before_.find(operation); found != before_.end()) {
            hook = std::move(found->second);
            before_.erase(found);
        }
        delay = options_.delay;
    }
    if (hook) hook(path);
    if (delay.count() > 0) std::this_thread::sleep_for(delay);  // the drive's own slowness
}

void FuseDouble::holdOn(const std::string& operation) {
    const std::lock_guard lock(mutex_);
    held_ = operation;
    released_ = false;
}

bool FuseDouble::waitUntilHeld(std::chrono::seconds patience) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, patience, [this] { return waiting_ > 0; });
}

void FuseDouble::release() {
    const std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
}

void FuseDouble::before(const std::string& operation, std::function<void(const std::string& path)> what) {
    const std::lock_guard lock(mutex_);
    before_[operation] = std::move(what);
}

std::map<std::string, int> FuseDouble::counts() const {
    const std::lock_guard lock(mutex_);
    return counts_;
}

int FuseDouble::total() const {
    int sum = 0;
    for (const auto& [operation, count] : counts()) sum += count;
    return sum;
}

void FuseDouble::resetCounts() {
    const std::lock_guard lock(mutex_);
    counts_.clear();
}
