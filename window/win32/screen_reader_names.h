#pragma once

#include <windows.h>
#include <objbase.h>

#include <string>

namespace window {

// COM for as long as the window lives: the screen readers' annotations need it.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialized_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

// Gives `control` the name a screen reader reads, the standard way
// (IAccPropServices); false where the system cannot.
bool nameForScreenReaders(HWND control, const std::wstring& name);

}  // namespace window
