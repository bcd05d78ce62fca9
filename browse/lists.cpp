#include "lists.h"

#include "natural_sorter.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace browse {

using jobs::Job;
using platform::Path;

namespace {

// Whether `directory` lies on the drive whose root is `root`.
bool holds(const Path& root, const Path& directory) {
    const platform::NativeString& rootText = root.native();
    const platform::NativeString& text = directory.native();
    return text.starts_with(rootText) || text + rootText.back() == rootText;
}

// The drive whose root holds `directory`: the deepest such root.
int driveHolding(const std::vector<platform::Drive>& drives, const Path& directory) {
    int found = -1;
    for (size_t i = 0; i < drives.size(); ++i)
        if (holds(drives[i].root, directory) &&
            (found < 0 || drives[i].root.native().size() > drives[static_cast<size_t>(found)].root.native().size()))
            found = static_cast<int>(i);
    return found;
}

// Where the lists start, and the failure to report once they show it.
struct Start {
    int drive = 0;
    std::optional<Folder> folder;
    std::exception_ptr failure;
};

// `read()`, or nothing when it fails; a job that stops, stops.
template <class Read>
std::optional<Folder> folderIfAny(Read read) {
    try {
        return read();
    } catch (const jobs::Stopped&) {
        throw;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

Start findStart(const platform::FileSystem& fileSystem, Job& job, const std::vector<platform::Drive>& drives) {
    Path workingDirectory;
    try {
        workingDirectory = fileSystem.workingDirectory();
    } catch (const jobs::Stopped&) {
        throw;
    } catch (...) {
        // Gone: there is nothing to start on but the first drive's root.
        const Path& root = drives.front().root;
        return {0, folderIfAny([&] { return readFolder(fileSystem, job, root, root); }), std::current_exception()};
    }
    const int drive = std::max(0, driveHolding(drives, workingDirectory));
    const Path& root = drives[static_cast<size_t>(drive)].root;
    try {
        return {drive, readFolder(fileSystem, job, root, root), nullptr};
    } catch (const jobs::Stopped&) {
        throw;
    } catch (...) {
        // The first failure is the one to report.
        return {drive, folderIfAny([&] { return readFolder(fileSystem, job, root, workingDirectory); }),
                std::current_exception()};
    }
}

}  // namespace

void Lists::startUp() {
    refreshDrives();
    if (drive1_.drives_.empty()) throw std::runtime_error("The system lists no drives.");
    drive1_.selected_ = 0;
    Start start = jobs_.run({}, [fileSystem = fileSystem_, drives = drive1_.drives_](Job& job) {
        return findStart(*fileSystem, job, drives);
    });
    drive1_.selected_ = start.drive;
    if (start.folder) show(std::move(*start.folder));
    if (start.failure) std::rethrow_exception(start.failure);
}

void Lists::refreshDrives() {
    std::vector<platform::Drive> drives =
        jobs_.run({}, [fileSystem = fileSystem_](Job& job) { return fileSystem->drives(job); });
    if (drive1_.selected_ >= 0) {
        const platform::Drive selected = drive1_.drive();
        auto found = std::find_if(drives.begin(), drives.end(),
                                  [&](const platform::Drive& drive) { return drive.text == selected.text; });
        if (found == drives.end()) found = drives.insert(drives.end(), selected);
        drive1_.selected_ = static_cast<int>(found - drives.begin());
    }
    drive1_.drives_ = std::move(drives);
}

void Lists::pickDrive(int index) {
    if (index < 0 || index >= static_cast<int>(drive1_.drives_.size())) return;
    drive1_.selected_ = index;
    const platform::Drive& drive = drive1_.drive();
    if (dir1_.top() == drive.root) return;  // the lists are on it already
    show(jobs_.run(drive.root, [fileSystem = fileSystem_, drive](Job& job) {
        return readFolder(*fileSystem, job, drive.root, fileSystem->currentDirectoryOf(drive));
    }));
}

void Lists::highlightDirectory(int index) {
    if (!dir1_.hasEntry(index)) return;
    if (index == -1) {
        dir1_.highlighted_ = index;
        dir1_.highlightedIdentity_ = dir1_.identity_;
    } else if (index < -1) {
        dir1_.highlighted_ = index;
        dir1_.highlightedIdentity_ = dir1_.ancestorIdentity(index);
    } else {
        // Looked up inside the directory that was listed, not wherever its
        // path leads now; the highlight moves once that is known.
        std::optional<platform::FileIdentity> identity =
            jobs_.run(dir1_.path_, [fileSystem = fileSystem_, path = dir1_.path_, listed = dir1_.identity_,
                                    name = platform::NativeString(dir1_.shownName(index))](Job& job) {
                return lookInsideListed(*fileSystem, job, path, listed,
                                        [&](const auto& open) { return fileSystem->identifyDirectory(open, name); });
            });
        dir1_.highlighted_ = index;
        dir1_.highlightedIdentity_ = std::move(identity);
    }
}

void Lists::openDirectory(int index) {
    const Path path = dir1_.list(index);
    show(jobs_.run(path, [fileSystem = fileSystem_, top = dir1_.top(), path](Job& job) {
        return readFolder(*fileSystem, job, top, path);
    }));
}

void Lists::selectFile(int index) {
    if (index < -1 || index >= file1_.listCount()) return;
    // The selection moves once the file is known.
    std::optional<platform::EntryIdentity> identity;
    if (index >= 0)
        identity =
            jobs_.run(file1_.path_, [fileSystem = fileSystem_, path = file1_.path_, listed = file1_.directoryIdentity_,
                                     name = platform::NativeString(file1_.name(index))](Job& job) {
                return lookInsideListed(*fileSystem, job, path, listed,
                                        [&](const auto& open) { return fileSystem->identifyFile(open, name); });
            });
    file1_.selected_ = index;
    file1_.identity_ = std::move(identity);
}

void Lists::refreshFiles() {
    struct Reread {
        platform::FileIdentity directory;
        SortedNames names;
        int kept = -1;  // the selected file, while it is still there
    };
    Reread reread =
        jobs_.run(file1_.path_, [fileSystem = fileSystem_, path = file1_.path_, selected = file1_.fileName(),
                                 selectedIdentity = file1_.identity_](Job& job) {
            NaturalSorter sorter(job);
            sorter.sortOnly(platform::Listed::Files);
            platform::DirectoryListing listing = fileSystem->readDirectory(path, job, &sorter);
            Reread result{listing.directory, sorter.sorted(platform::Listed::Files, std::move(listing.files)), -1};
            // The same file, not another of its name.
            for (size_t i = 0; !selected.empty() && i < result.names.size(); ++i) {
                if (result.names[i] != selected) continue;
                const auto identity =
                    lookInsideListed(*fileSystem, job, path, listing.directory,
                                     [&](const auto& open) { return fileSystem->identifyFile(open, selected); });
                if (identity && identity == selectedIdentity) result.kept = static_cast<int>(i);
                break;
            }
            return result;
        });
    const std::optional<platform::EntryIdentity> identity = file1_.identity_;
    listFiles(file1_.path_, std::move(reread.directory), std::move(reread.names));
    if (reread.kept >= 0) {
        file1_.selected_ = reread.kept;
        file1_.identity_ = identity;
    }
}

void Lists::show(Folder folder) {
    dir1_.show(folder.top, folder.path, std::move(folder.subdirectories), fileSystem_->separator());
    dir1_.identity_ = folder.identity;
    dir1_.highlightedIdentity_ = folder.identity;
    dir1_.ancestorIdentities_ = std::move(folder.ancestors);
    listFiles(folder.path, std::move(folder.identity), std::move(folder.files));
}

void Lists::listFiles(const Path& directory, platform::FileIdentity identity, SortedNames names) {
    file1_.path_ = directory;
    file1_.directoryIdentity_ = std::move(identity);
    file1_.names_ = std::move(names);
    file1_.selected_ = -1;
    file1_.identity_.reset();
    ++file1_.generation_;
}

}  // namespace browse
