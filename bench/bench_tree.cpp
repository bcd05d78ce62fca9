#include "bench_tree.h"

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

std::string benchTree(const std::string& parent, int count, bool subdirectoriesOnly) {
    const std::string directory = parent + (subdirectoriesOnly ? "/dirs-" : "/files-") + std::to_string(count);
    const std::string done = directory + "/.complete";
    if (access(done.c_str(), F_OK) == 0) return directory;
    std::filesystem::create_directories(directory);
    char name[64];
    for (int i = 0; i < count; ++i) {
        const bool subdirectory = subdirectoriesOnly || i % 100 == 50;
        const bool hidden = !subdirectoriesOnly && i % 100 == 99;
        std::snprintf(name, sizeof name, subdirectory ? "/dir_%07d" : hidden ? "/.hidden_%07d" : "/file_%07d.dat", i);
        const std::string path = directory + name;
        if (subdirectory) {
            mkdir(path.c_str(), 0755);
        } else {
            const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            if (fd < 0) throw std::runtime_error("cannot create " + path);
            close(fd);
        }
    }
    close(open(done.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    return directory;
}

long getdentsPass(const std::string& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    alignas(8) static char buffer[1 << 15];
    long entries = 0;
    for (;;) {
        const long got = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (got <= 0) break;
        for (long at = 0; at < got;) {
            const unsigned short length = *reinterpret_cast<unsigned short*>(buffer + at + 16);
            ++entries;
            at += length;
        }
    }
    close(fd);
    return entries;
}

double nowMilliseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}
