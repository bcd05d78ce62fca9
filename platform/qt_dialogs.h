#pragma once

#include "dialogs.h"

namespace platform {

// Both boxes are modal over the active window and titled with the
// application's name.

// The Yes/No box: no icon, Yes the default; Escape or closing it answers No.
class QtMessageBox final : public MessageBox {
public:
    Answer ask(const std::string& text, ButtonSet buttons) override;
};

// Shows a failure's own description, and what it was about beneath.
class QtFailureReport final : public FailureReport {
public:
    void report(const PlatformFailure& failure) override;
};

}  // namespace platform
