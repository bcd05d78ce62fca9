#include "system.h"

#include "failure.h"

#include <dirent.h>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>

std::string shown(const std::filesystem::path& path) { return path.native(); }

std::string lastSystemError() { return std::strerror(errno); }

bool isPlainFile(const std::filesystem::path& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A name that starts with a dot is hidden.
std::vector<std::filesystem::path> visibleEntries(const std::filesystem::path& directory) {
    std::vector<std::filesystem::path> entries;
    DIR* dir = opendir(directory.c_str());
    if (!dir) throw Failure::fromErrno(directory);
    while (const dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.') entries.emplace_back(directory.native() + entry->d_name);
    closedir(dir);
    return entries;
}

int openToRead(const std::filesystem::path& path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC); }

bool endsWithGz(const NativeString& name) { return name.size() > 3 && name.ends_with(".gz"); }

void say(const std::string& line) { std::cout << line << "\n"; }
