#include "platform/win32/handle_identity.h"

#include <cwchar>
#include <map>
#include <mutex>

namespace platform {

namespace {

std::uint64_t joined(DWORD high, DWORD low) { return (std::uint64_t(high) << 32) | low; }

// Whether the volume numbers its files in a way that does not last: FAT and
// exFAT derive a file's ID from where its entry lies, and a network volume
// gives whatever its server makes up. There a stamp tells files apart.
bool askNumbersAreUnstable(HANDLE file) {
    FILE_REMOTE_PROTOCOL_INFO remote{};
    if (GetFileInformationByHandleEx(file, FileRemoteProtocolInfo, &remote, sizeof remote)) return true;
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetVolumeInformationByHandleW(file, nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH + 1)) return true;
    return _wcsicmp(name, L"NTFS") != 0 && _wcsicmp(name, L"ReFS") != 0;
}

// Asked once per volume: asking is slow, on a network volume above all.
bool numbersAreUnstable(HANDLE file, DWORD volume) {
    static std::mutex mutex;
    static std::map<DWORD, bool>* const known = new std::map<DWORD, bool>;
    {
        const std::lock_guard lock(mutex);
        if (const auto found = known->find(volume); found != known->end()) return found->second;
    }
    const bool unstable = askNumbersAreUnstable(file);
    const std::lock_guard lock(mutex);
    (*known)[volume] = unstable;
    return unstable;
}

}  // namespace

std::optional<HandleIdentity> identityOfHandle(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(file, &information)) return std::nullopt;
    HandleIdentity result;
    result.directory = information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    result.reparsePoint = information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
    FileIdentity& identity = result.identity;
    identity.volume = information.dwVolumeSerialNumber;
    // A folder's creation time is left out: Wine gives its change time
    // there, which moves with every file made in it.
    const std::uint64_t born =
        joined(information.ftCreationTime.dwHighDateTime, information.ftCreationTime.dwLowDateTime);
    if (numbersAreUnstable(file, information.dwVolumeSerialNumber)) {
        if (!result.directory) {  // a folder's size and time change with what is made in it
            identity.born = born;
            identity.size = joined(information.nFileSizeHigh, information.nFileSizeLow);
            identity.modified =
                joined(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime);
        }
        return result;
    }
    // The file ID's top 16 bits count how often NTFS gave its number out, so
    // a reused number does not pass.
    identity.fileHigh = information.nFileIndexHigh;
    identity.fileLow = information.nFileIndexLow;
    if (!result.directory) identity.born = born;
    return result;
}

}  // namespace platform
