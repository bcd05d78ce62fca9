#include "program_search.h"

#include "platform/platform_failure.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

Path findProgram(const std::string& program, const std::string& searchPath, Checkpoints& job) {
    std::vector<Path> searched;
    Path denied;  // one there, but not to be run by us: said if nothing else is found
    for (size_t start = 0; start <= searchPath.size();) {
        const size_t end = std::min(searchPath.find(':', start), searchPath.size());
        std::string folder = searchPath.substr(start, end - start);
        start = end + 1;
        if (!folder.starts_with('/')) continue;
        while (folder.size() > 1 && folder.ends_with('/')) folder.pop_back();
        job.enter(folder);
        searched.push_back(folder);
        const std::string candidate = folder + (folder == "/" ? "" : "/") + program;
        struct stat info;
        if (stat(candidate.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        if (denied.empty()) denied = candidate;
    }
    if (!denied.empty()) throw PlatformFailure::fromSystemError(EACCES, denied);
    throw ProgramNotFound(program, std::move(searched));
}

}  // namespace platform
