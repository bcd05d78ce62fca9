#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

struct fuse;

// A FUSE file system that passes every request through to a folder of the
// real one, and lets a test get in between: hold requests of a kind until
// released, do something just before the next one, answer each after a
// delay, count them by kind. Its cache timeouts are 0, so the kernel asks for
// everything. With stable numbers it reports the backing files' inode
// numbers; without (as sshfs does, and libfuse's high-level API without
// use_ino), numbers of its own, given anew once the kernel forgets a node.
// Needs root: mount it in a private mount namespace, and it goes with the
// object, held requests released first.
class FuseDouble {
public:
    struct Options {
        bool stableNumbers = true;
        std::chrono::milliseconds delay{0};
    };
    FuseDouble(std::filesystem::path backing, std::filesystem::path point, Options options);
    ~FuseDouble();
    FuseDouble(const FuseDouble&) = delete;
    FuseDouble& operator=(const FuseDouble&) = delete;

    bool mounted() const { return mounted_; }
    const std::filesystem::path& backing() const { return backing_; }

    // Requests of kind `operation` ("rename", "unlink", ...) wait from now
    // on until release(); whether one arrived within `patience`.
    void holdOn(const std::string& operation);
    bool waitUntilHeld(std::chrono::seconds patience);
    void release();
    // Runs `what` with the request's path just before the next request of
    // kind `operation` is passed on.
    void before(const std::string& operation, std::function<void(const std::string& path)> what);
    // Requests by kind since the last reset.
    std::map<std::string, int> counts() const;
    int total() const;
    void resetCounts();

    // For the request handlers.
    void arrive(const char* operation, const char* path);
    std::string real(const char* path) const { return backing_.native() + path; }
    const Options& options() const { return options_; }

private:
    std::filesystem::path backing_, point_;
    Options options_;
    struct fuse* fuse_ = nullptr;
    bool mounted_ = false;
    std::thread loop_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string held_;
    int waiting_ = 0;
    bool released_ = false;
    std::map<std::string, std::function<void(const std::string&)>> before_;
    std::map<std::string, int> counts_;
};
