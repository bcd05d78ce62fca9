#include "window/win32/win32_dialogs.h"

#include "platform/win32/wide_text.h"
#include "window/form_description.h"

namespace window {

namespace {

std::wstring title() { return platform::fromUtf8(form1.boxTitle); }

std::wstring box(const std::string& text, const std::string& beneath) {
    return platform::fromUtf8(beneath.empty() ? text : text + "\n\n" + beneath);
}

// The box about to show, centred on the window rather than on the screen,
// where the system puts it whatever its owner.
thread_local HWND centreOn = nullptr;
thread_local HHOOK centring = nullptr;

LRESULT CALLBACK centre(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && centreOn) {
        const HWND shown = reinterpret_cast<HWND>(wParam);
        RECT owner, box;
        GetWindowRect(centreOn, &owner);
        GetWindowRect(shown, &box);
        const int width = box.right - box.left, height = box.bottom - box.top;
        SetWindowPos(shown, nullptr, (owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2, 0,
                     0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        centreOn = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int messageBox(HWND owner, const std::wstring& text, UINT style) {
    centreOn = owner;
    centring = owner ? SetWindowsHookExW(WH_CBT, centre, nullptr, GetCurrentThreadId()) : nullptr;
    const int answer = MessageBoxW(owner, text.c_str(), title().c_str(), style);
    if (centring) UnhookWindowsHookEx(centring);
    centring = nullptr;
    centreOn = nullptr;
    return answer;
}

}  // namespace

bool Win32Dialogs::confirm(const std::string& text, const std::string& detail) {
    return messageBox(owner_, box(text, detail), MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

void Win32Dialogs::report(const std::string& description, const std::string& subject) {
    messageBox(owner_, box(description, subject), MB_OK | MB_ICONWARNING);
}

}  // namespace window
