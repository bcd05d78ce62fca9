#pragma once

#include "window/controls.h"

#include <span>

namespace app {

class Program;

using Operation = void (*)(Program& program, int row);

struct EventRow {
    window::Control source;
    window::Event event;
    Operation operation;
};

// Every handler the window has, and the lists' own answers to the user;
// nothing else connects a control to what it does.
std::span<const EventRow> form1Events();

}  // namespace app
