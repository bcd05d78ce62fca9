#include "platform/win32/win32_file_system.h"

#include "platform/path_text.h"
#include "platform/platform_failure.h"
#include "platform/win32/handle_identity.h"
#include "platform/win32/owned.h"
#include "platform/win32/relative_open.h"
#include "platform/win32/wide_text.h"
#include "text/ascii.h"

#include <windows.h>

#include <algorithm>

namespace platform {
namespace {

[[noreturn]] void fail(const Path& subject) {
    throw PlatformFailure::fromSystemError(static_cast<int>(GetLastError()), subject);
}

// The \\?\ form hands a path to the file system as it is: no length limit,
// and a name that ends in a dot or a blank keeps it.
NativeString exact(const NativeString& path) {
    if (path.starts_with(L"\\\\?\\")) return path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

// Drops the separator a system call may leave at the end, but a root's.
Path withoutTrailingSeparators(NativeString path) {
    if (path.size() == 2 && path[1] == L':') path += L'\\';
    const size_t root = driveRootOf(path).size();
    while (path.size() > std::max<size_t>(root, 1) && path.ends_with(L'\\')) path.pop_back();
    return path;
}

// The working directory as the system keeps it, without touching its drive.
NativeString currentDirectoryText() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) fail(L"(the working directory)");
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

using text::asciiLower;
using text::asciiUpper;

HANDLE handleOf(const OpenDirectory& directory) { return reinterpret_cast<HANDLE>(directory.handle.native()); }

// The drives whose labels are read: all but the floppy letters, which would
// set a drive spinning.
bool hasLabelWorthReading(const NativeString& root) { return root[0] != L'A' && root[0] != L'B'; }

// What entry `name` of `directory` is, by the folder's handle: the entry
// itself (a link not followed), or what it leads to.
std::optional<HandleIdentity> look(const OpenDirectory& directory, NativeView name, bool followLinks, DWORD& error) {
    const OwnedHandle entry =
        openInFolder(handleOf(directory), name, FILE_READ_ATTRIBUTES, followLinks ? 0 : FILE_OPEN_REPARSE_POINT, error);
    if (!entry) return std::nullopt;
    return identityOfHandle(entry.get());
}

}  // namespace

NativeString driveRootOf(NativeView path) {
    if (path.size() >= 2 && path[1] == L':') return {asciiUpper(path[0]), L':', L'\\'};
    if (!path.starts_with(L"\\\\") || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return {};
    const size_t server = path.find(L'\\', 2);
    if (server == NativeView::npos || server == 2) return {};
    const size_t share = path.find(L'\\', server + 1);
    if (share == server + 1) return {};
    return NativeString(path.substr(0, share)) + L'\\';
}

std::vector<Drive> Win32FileSystem::drives(Checkpoints& job) const {
    std::wstring roots(128, L'\0');
    for (;;) {
        const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
        if (length == 0) fail(L"drives");
        if (length < roots.size()) {
            roots.resize(length);
            break;
        }
        roots.resize(length + 1);
    }
    std::vector<Drive> drives;
    for (size_t start = 0; start < roots.size();) {
        const size_t end = roots.find(L'\0', start);
        const std::wstring root = roots.substr(start, end - start);
        start = end == std::wstring::npos ? roots.size() : end + 1;
        if (root.size() < 2 || root[1] != L':') continue;
        drives.push_back({{asciiLower(root[0]), L':'}, NativeString{asciiUpper(root[0]), L':', L'\\'}, {}});
    }
    // The working directory's drive is always there, even one the system
    // does not list: a network share, or a letter mapped in another session.
    const NativeString working = driveRootOf(currentDirectoryText());
    const bool listed =
        std::any_of(drives.begin(), drives.end(), [&](const Drive& d) { return d.root.native() == working; });
    if (!working.empty() && !listed) {
        const NativeString text =
            working[1] == L':' ? NativeString{asciiLower(working[0]), L':'} : working.substr(0, working.size() - 1);
        drives.push_back({text, working, {}});
    }
    std::vector<NativeString> asked;
    for (const Drive& drive : drives)
        if (hasLabelWorthReading(drive.root.native())) asked.push_back(drive.root.native());
    const std::vector<NativeString> labels = labels_.read(asked, job, labelPatience);
    for (size_t i = 0; i < asked.size(); ++i)
        for (Drive& drive : drives)
            if (drive.root.native() == asked[i]) drive.label = labels[i];
    return drives;
}

Path Win32FileSystem::workingDirectory() const {
    NativeString buffer = currentDirectoryText();
    const DWORD attributes = GetFileAttributesW(exact(buffer).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) fail(buffer);
    return withoutTrailingSeparators(std::move(buffer));
}

Path Win32FileSystem::currentDirectoryOf(const Drive& drive) const {
    if (drive.root.native().starts_with(L"\\\\")) {  // a share keeps no directory of its own
        const NativeString working = currentDirectoryText();
        return driveRootOf(working) == drive.root.native() ? withoutTrailingSeparators(working) : drive.root;
    }
    // "D:" alone names the directory the system keeps for drive D.
    const std::wstring drivePath = drive.root.native().substr(0, 2);
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(drivePath.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0) return drive.root;
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(length);
    }
    return withoutTrailingSeparators(std::move(buffer));
}

// Through the folder's own handle: the names and the identity come from one open.
DirectoryListing Win32FileSystem::readDirectory(const Path& directory, Checkpoints& job,
                                                ListingObserver* observer) const {
    job.enter(directory);
    const OpenDirectory open = openDirectory(directory);
    DirectoryListing listing;
    listing.directory = identityOf(open);
    BlockTeller subdirectories(observer, Listed::Subdirectories, listing.subdirectories);
    BlockTeller files(observer, Listed::Files, listing.files);
    alignas(LONGLONG) std::byte buffer[64 * 1024];
    for (FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
         GetFileInformationByHandleEx(handleOf(open), kind, buffer, sizeof buffer); kind = FileIdBothDirectoryInfo) {
        for (size_t at = 0;;) {
            const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer + at);
            const NativeView name(entry.FileName, entry.FileNameLength / sizeof(wchar_t));
            const bool hidden = entry.FileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
            if (name != L"." && name != L".." && !hidden)
                (entry.FileAttributes & FILE_ATTRIBUTE_DIRECTORY ? listing.subdirectories : listing.files).add(name);
            if (entry.NextEntryOffset == 0) break;
            at += entry.NextEntryOffset;
        }
        subdirectories.tell(false);
        files.tell(false);
    }
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND)  // the latter: a root with nothing in it
        throw PlatformFailure::fromSystemError(static_cast<int>(error), directory);
    subdirectories.tell(true);
    files.tell(true);
    return listing;
}

OpenDirectory Win32FileSystem::openDirectory(const Path& path) const {
    HANDLE opened = CreateFileW(exact(path.native()).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) fail(path);
    return {DirectoryHandle(reinterpret_cast<std::intptr_t>(opened)), path};
}

FileIdentity Win32FileSystem::identityOf(const OpenDirectory& directory) const {
    const auto identity = identityOfHandle(handleOf(directory));
    if (!identity) fail(directory.path);
    return identity->identity;
}

std::optional<EntryIdentity> Win32FileSystem::identifyFile(const OpenDirectory& directory, NativeView name) const {
    if (name.empty()) return std::nullopt;
    DWORD error = 0;
    const auto entry = look(directory, name, false, error);
    if (!entry) throw PlatformFailure::fromSystemError(static_cast<int>(error), childPath(directory.path, name, L'\\'));
    if (entry->directory) return std::nullopt;
    if (!entry->reparsePoint) return EntryIdentity{entry->identity, entry->identity};  // it leads to itself
    const auto target = look(directory, name, true, error);
    if (!target)
        throw PlatformFailure::fromSystemError(static_cast<int>(error), childPath(directory.path, name, L'\\'));
    if (target->directory) return std::nullopt;
    return EntryIdentity{entry->identity, target->identity};
}

std::optional<FileIdentity> Win32FileSystem::identifyDirectory(const OpenDirectory& directory, NativeView name) const {
    if (name.empty()) return std::nullopt;
    DWORD error = 0;
    const auto target = look(directory, name, true, error);
    if (!target || !target->directory) return std::nullopt;
    return target->identity;
}

void Win32FileSystem::deleteFile(const OpenDirectory& directory, NativeView name, const EntryIdentity& shown,
                                 Checkpoints& job) {
    const Path target = childPath(directory.path, name, L'\\');
    // The link itself is opened, never what it points to; a folder never
    // passes for the file that was shown.
    DWORD error = 0;
    OwnedHandle file =
        openInFolder(handleOf(directory), name, DELETE | FILE_READ_ATTRIBUTES, FILE_OPEN_REPARSE_POINT, error);
    if (!file) throw PlatformFailure::fromSystemError(static_cast<int>(error), target);
    const auto entry = identityOfHandle(file.get());
    if (!entry) fail(target);
    std::optional<HandleIdentity> leadsTo = entry;
    if (entry->reparsePoint) leadsTo = look(directory, name, true, error);
    if (entry->directory || !leadsTo || EntryIdentity{entry->identity, leadsTo->identity} != shown)
        throw PlatformFailure::fileChanged(target);
    job.beforeActing();
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition, sizeof disposition)) fail(target);
    file.reset();
    // Still there: another program holds it open, and it goes once that one closes it.
    if (!openInFolder(handleOf(directory), name, FILE_READ_ATTRIBUTES, FILE_OPEN_REPARSE_POINT, error) &&
        isDeletePending(error))
        throw PlatformFailure(
            "The file is marked for deletion, but another program holds it open: it goes once that "
            "program closes it.",
            target);
}

}  // namespace platform
