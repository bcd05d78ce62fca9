#pragma once

#include "actions/services.h"
#include "window/form1.h"

#include <array>
#include <string_view>

namespace app {

// What a handler reaches: the window with its lists, and the services.
struct Session {
    window::Form1& form;
    actions::Services& services;
};

using Operation = void (*)(Session&);

struct EventRow {
    std::string_view source;
    std::string_view event;
    Operation operation;
};

// Every handler the window has; nothing else connects controls to operations.
extern const std::array<EventRow, 9> form1Events;

}  // namespace app
