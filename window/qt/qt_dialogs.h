#pragma once

#include "platform/dialogs.h"

namespace window {

// The boxes as Qt message boxes, modal over the active window and titled
// with the application's name.
class QtDialogs final : public platform::Dialogs {
public:
    bool confirm(const std::string& text, const std::string& detail) override;
    void report(const std::string& description, const std::string& subject) override;
};

}  // namespace window
