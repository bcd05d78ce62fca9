#include "window/win32/win32_wait_loop.h"

#include <utility>

namespace window {

namespace {

// Keys and clicks: what a wait drops, as a modal box would; Alt+F4 still closes.
bool isUserInput(const MSG& message) {
    const bool closeKeys = message.message == WM_SYSKEYDOWN && message.wParam == VK_F4;
    return !closeKeys && ((message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                          (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST));
}

}  // namespace

void Win32WaitLoop::runEvents(std::optional<std::chrono::milliseconds> timeout) {
    HANDLE wakeEvent = wakeEvent_.get();
    MsgWaitForMultipleObjectsEx(1, &wakeEvent, timeout ? static_cast<DWORD>(timeout->count()) : INFINITE, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {  // for the loop that runs the window, once this wait is over
            quitAfterWait_ = static_cast<int>(message.wParam);
            continue;
        }
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            wait_->input(WaitInput::Escape);
            continue;
        }
        if (isUserInput(message) && wait_->input(WaitInput::OtherInput)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32WaitLoop::showBusy(bool busy) {
    busy_ = busy;
    if (busy) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return;
    }
    POINT at;
    GetCursorPos(&at);
    SetCursorPos(at.x, at.y);  // the cursor the window has there comes back
}

void Win32WaitLoop::waitEnded() {
    if (quitAfterWait_) PostQuitMessage(*std::exchange(quitAfterWait_, std::nullopt));
}

}  // namespace window
