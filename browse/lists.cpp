#include "lists.h"

#include "as_shown.h"
#include "natural_order.h"
#include "path_text.h"

#include "platform/platform_failure.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace browse {

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

// Which directory `path` leads to now; nothing when it leads to none.
std::optional<platform::FileIdentity> identityOfPath(const platform::FileSystem& fileSystem, const Path& path) {
    try {
        return fileSystem.identityOf(fileSystem.openDirectory(path));
    } catch (const platform::NoAnswer&) {
        throw;  // the user gave up waiting: the change fails as a whole
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// What `look` finds inside the directory at `path`, if that is still the
// directory `listed`; nothing otherwise, and then an action on what it was
// looking for reports that it changed.
template <class Look>
auto lookInsideListed(const platform::FileSystem& fileSystem, const Path& path, const platform::FileIdentity& listed,
                      Look look) -> decltype(look(std::declval<const platform::OpenDirectory&>())) {
    try {
        return look(openAsShown(fileSystem, path, listed));
    } catch (const platform::NoAnswer&) {
        throw;  // the user gave up waiting: that is said once
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

void Lists::startUp() {
    drive1_.drives_ = fileSystem_.drives();
    if (drive1_.drives_.empty()) throw std::runtime_error("The system lists no drives.");
    drive1_.selected_ = 0;
    Path workingDirectory;
    try {
        workingDirectory = fileSystem_.workingDirectory();
    } catch (const platform::NoAnswer&) {
        throw;  // its drive does not answer: the lists stay empty
    } catch (...) {
        // Gone: there is nothing to start on but the first drive's root.
        open(drive1_.drive().root, drive1_.drive().root);
        throw;
    }
    drive1_.selected_ = std::max(0, driveHolding(drive1_.drives_, workingDirectory));
    const Path root = drive1_.drive().root;
    try {
        open(root, root);
    } catch (const platform::NoAnswer&) {
        throw;  // the drive does not answer: the lists stay empty
    } catch (...) {
        try {
            open(root, workingDirectory);
        } catch (...) {
            // the lists stay empty; the first failure is the one to report
        }
        throw;
    }
}

void Lists::refreshDrives() {
    std::vector<platform::Drive> drives = fileSystem_.drives();
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
    open(drive.root, fileSystem_.currentDirectoryOf(drive));
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
            lookInsideListed(fileSystem_, dir1_.path_, dir1_.identity_,
                             [&](const auto& open) { return fileSystem_.identifyDirectory(open, dir1_.shownName(index)); });
        dir1_.highlighted_ = index;
        dir1_.highlightedIdentity_ = std::move(identity);
    }
}

void Lists::openDirectory(int index) { open(dir1_.top(), dir1_.list(index)); }

void Lists::selectFile(int index) {
    if (index < -1 || index >= file1_.listCount()) return;
    // The selection moves once the file is known.
    std::optional<platform::EntryIdentity> identity;
    if (index >= 0)
        identity = lookInsideListed(fileSystem_, file1_.path_, file1_.directoryIdentity_,
                                    [&](const auto& open) { return fileSystem_.identifyFile(open, file1_.name(index)); });
    file1_.selected_ = index;
    file1_.identity_ = std::move(identity);
}

void Lists::refreshFiles() {
    platform::DirectoryListing listing = fileSystem_.readDirectory(file1_.path_);
    platform::NameList names = sortedNaturally(listing.files);
    // The selection stays while that file is still there: the same file, not
    // another of its name. That is known before the list changes.
    const platform::NativeString selected = file1_.fileName();
    int kept = -1;
    for (size_t i = 0; !selected.empty() && i < names.size(); ++i) {
        if (names[i] != selected) continue;
        const auto identity = lookInsideListed(fileSystem_, file1_.path_, listing.directory,
                                               [&](const auto& open) { return fileSystem_.identifyFile(open, selected); });
        if (identity && identity == file1_.identity_) kept = static_cast<int>(i);
        break;
    }
    const std::optional<platform::EntryIdentity> identity = file1_.identity_;
    listFiles(file1_.path_, std::move(listing.directory), std::move(names));
    if (kept >= 0) {
        file1_.selected_ = kept;
        file1_.identity_ = identity;
    }
}

// One read serves both lists: Dir1 takes the subdirectories, and File1, which
// follows Dir1, the files. Both are sorted before either list changes.
void Lists::open(const Path& top, const Path& directory) {
    platform::DirectoryListing listing = fileSystem_.readDirectory(directory);
    platform::NameList subdirectories = sortedNaturally(listing.subdirectories);
    platform::NameList files = sortedNaturally(listing.files);
    const Path path = directory;  // `directory` may be one of Dir1's own entries
    std::vector<std::optional<platform::FileIdentity>> ancestorIdentities;
    for (const Path& ancestor : ancestorsBelow(top, path, fileSystem_.separator()))
        ancestorIdentities.push_back(identityOfPath(fileSystem_, ancestor));
    dir1_.show(top, path, std::move(subdirectories), fileSystem_.separator());
    dir1_.identity_ = listing.directory;
    dir1_.highlightedIdentity_ = listing.directory;
    dir1_.ancestorIdentities_ = std::move(ancestorIdentities);
    listFiles(path, std::move(listing.directory), std::move(files));
}

void Lists::listFiles(const Path& directory, platform::FileIdentity identity, platform::NameList names) {
    file1_.path_ = directory;
    file1_.directoryIdentity_ = std::move(identity);
    file1_.names_ = std::move(names);
    file1_.selected_ = -1;
    file1_.identity_.reset();
    ++file1_.generation_;
}

}  // namespace browse
