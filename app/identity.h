#pragma once

namespace app {

// Names the program to Qt: the application title "quarvel2" that message
// boxes carry, its version, and its desktop entry.
void setIdentity();

}  // namespace app
