#pragma once

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

// A FUSE mount whose server never answers, like a hung sshfs or NFS share:
// stat, open or listing of the point or anything below it blocks until this
// object goes, which aborts the connection so that those calls fail
// (ENOTCONN) and return. Needs root, best in a private mount namespace.
//
// Nobody ever reads the device, so the kernel's INIT request stays unanswered.
// mount() itself does not wait for it; every later request on the mount
// waits for INIT (killable only by SIGKILL). Reading /proc/self/mountinfo
// never asks the server, so the mount shows there at once.
class HungMount {
public:
    // `point` must be an existing directory; `source` is what the mount
    // table shows as the mount's source.
    explicit HungMount(const std::filesystem::path& point, const std::string& source = "hung") : point_(point) {
        fd_ = open("/dev/fuse", O_RDWR | O_CLOEXEC);
        if (fd_ < 0) return;
        const std::string options = "fd=" + std::to_string(fd_) + ",rootmode=40000,user_id=0,group_id=0";
        if (mount(source.c_str(), point_.c_str(), "fuse.hung", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
            close(fd_);
            fd_ = -1;
        }
    }
    // Closing the only descriptor of the device aborts the connection and
    // wakes every waiting call; the lazy unmount then cannot block.
    ~HungMount() {
        if (fd_ < 0) return;
        close(fd_);
        umount2(point_.c_str(), MNT_DETACH);
    }
    HungMount(const HungMount&) = delete;
    HungMount& operator=(const HungMount&) = delete;

    bool mounted() const { return fd_ >= 0; }

private:
    std::filesystem::path point_;
    int fd_ = -1;
};

// Moves this process into a mount namespace of its own, so that its mounts
// are seen by nobody else and go with it; false without root.
inline bool privateMountNamespace() {
    return geteuid() == 0 && unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}
