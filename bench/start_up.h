#pragma once

#include <string>

// What starts in a fresh process, timed from fork to its first paint.
enum class StartUpKind {
    Program,         // quarvel2, its lists filled
    ProgramOpening,  // quarvel2, the working directory then opened in Dir1
    BareWindow,      // ten push buttons in the default font
    WindowsOwnCost   // the same ten, in the window's own fonts, and its banner
};

struct StartUp {
    double ms = 0;
    long peakKb = 0, residentKb = 0;
};

// One start, in `workingDirectory`; `self` is this program, run again as a child.
StartUp startUp(const char* self, StartUpKind kind, const std::string& workingDirectory);

// In the child: when the arguments ask for a start, starts and returns the
// exit status; -1 otherwise.
int startUpChild(int argc, char** argv);

// A drive whose root is `directory`: a tmpfs mounted there, filled with
// `count` files, seen only by this process and its children.
bool mountDriveRoot(const std::string& directory, int count);
