#pragma once

#include "platform/dialogs.h"

#include <windows.h>

namespace window {

// The program's two boxes as system message boxes, modal over `owner` and
// centred on it.
class Win32Dialogs final : public platform::Dialogs {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    bool confirm(const std::string& text, const std::string& detail) override;
    void report(const std::string& description, const std::string& subject) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace window
