#pragma once

#include <string>

namespace platform {

// The two boxes the program shows, modal over its window and titled with the
// application's name. Texts are UTF-8, already made safe to show.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A Yes/No question with no icon, Yes the default, `detail` beneath the
    // text; true only for Yes (Escape or closing the box answers No).
    virtual bool confirm(const std::string& text, const std::string& detail) = 0;
    // A failure that ended what the user asked for: its description, and what
    // it was about beneath.
    virtual void report(const std::string& description, const std::string& subject) = 0;
};

}  // namespace platform
