#pragma once

#include "as_shown.h"
#include "sorted_names.h"

#include "jobs/job_failures.h"
#include "platform/file_system.h"

#include <optional>
#include <vector>

namespace browse {

// What opening a folder needs, read in one piece inside a job: its
// subdirectories and files in order, which folder it is, and which folder
// each ancestor's path leads to now.
struct Folder {
    platform::Path top, path;
    platform::FileIdentity identity;
    SortedNames subdirectories, files;
    std::vector<std::optional<platform::FileIdentity>> ancestors;  // top first; nothing where it could not be told
};

// Reads `directory`, which is `top` or lies below it. Throws when the
// directory cannot be read; an ancestor that cannot be looked at is noted as
// unknown.
Folder readFolder(const platform::FileSystem& fileSystem, platform::Checkpoints& job, const platform::Path& top,
                  const platform::Path& directory);

// What `look` finds inside the directory at `path`, if that is still the
// directory `listed`; nothing when it is not, or when looking fails (an
// action on what it looked for then reports why). A job that stops, stops.
template <class Look>
auto lookInsideListed(const platform::FileSystem& fileSystem, platform::Checkpoints& job, const platform::Path& path,
                      const platform::FileIdentity& listed, Look look)
    -> decltype(look(std::declval<const platform::OpenDirectory&>())) {
    try {
        job.enter(path);
        return look(openAsShown(fileSystem, path, listed));
    } catch (const jobs::Stopped&) {
        throw;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace browse
