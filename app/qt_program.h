#pragma once

#include "program.h"

#include "window/qt/form1.h"

namespace app {

// Names the program to Qt: the application title "quarvel2" that the boxes
// carry, its version, and its desktop entry.
void setIdentity();

// The program with its Qt window: made from the control table, Load raised,
// then shown. Closing the window (Exit, or the window's close control) ends
// the program when the event loop runs.
class QtProgram {
public:
    explicit QtProgram(Services& services);

    Program program;
    window::Presenter presenter;
    window::Form1 form;
};

}  // namespace app
