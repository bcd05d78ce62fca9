#include "platform/win32/relative_open.h"

#include <winternl.h>

namespace platform {

namespace {

constexpr NTSTATUS deletePending = static_cast<NTSTATUS>(0xC0000056);  // STATUS_DELETE_PENDING
constexpr ULONG openForBackup = 0x00004000;                            // FILE_OPEN_FOR_BACKUP_INTENT

}  // namespace

OwnedHandle openInFolder(HANDLE folder, NativeView name, ACCESS_MASK access, ULONG options, DWORD& error) {
    UNICODE_STRING text;
    text.Buffer = const_cast<wchar_t*>(name.data());
    text.Length = text.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK status{};
    HANDLE opened = nullptr;
    const NTSTATUS result = NtCreateFile(&opened, access | SYNCHRONIZE, &attributes, &status, nullptr, 0,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN,
                                         options | FILE_SYNCHRONOUS_IO_NONALERT | openForBackup, nullptr, 0);
    if (result < 0) {
        error = result == deletePending ? ERROR_DELETE_PENDING : RtlNtStatusToDosError(result);
        return OwnedHandle();
    }
    error = ERROR_SUCCESS;
    return OwnedHandle(opened);
}

bool isDeletePending(DWORD error) { return error == ERROR_DELETE_PENDING; }

}  // namespace platform
