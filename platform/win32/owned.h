#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace platform {

// Owners of what Windows hands out: each frees its object once, when it goes.

struct CloseKernelHandle {
    void operator()(HANDLE handle) const {
        if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
using OwnedHandle = std::unique_ptr<void, CloseKernelHandle>;

struct CloseFind {
    void operator()(HANDLE search) const {
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
};
using OwnedFind = std::unique_ptr<void, CloseFind>;

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class Handle>
using OwnedGdi = std::unique_ptr<std::remove_pointer_t<Handle>, DeleteGdiObject>;
using OwnedFont = OwnedGdi<HFONT>;
using OwnedBrush = OwnedGdi<HBRUSH>;
using OwnedPen = OwnedGdi<HPEN>;
using OwnedBitmap = OwnedGdi<HBITMAP>;

struct DeleteMemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
// A memory device context, from CreateCompatibleDC.
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DeleteMemoryDc>;

// A window's device context, from GetDC, released with it.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context while this lives; the one it
// replaced goes back after.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace platform
