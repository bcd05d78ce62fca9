#pragma once

#include "controls.h"

#include <array>
#include <string_view>

namespace window {

enum class ControlClass { DriveListBox, DirListBox, FileListBox, CommandButton, Label };
enum class FontRole { Window, Button };

struct Colour {
    int red, green, blue;
};

struct FontDescription {
    std::string_view family;
    double pointSize;
    int weight;  // 400 regular, 700 bold
};

// One control: places and sizes in twips (1/1440 inch) from the client area's
// top-left corner, as the window system turns them into pixels.
struct ControlDescription {
    Control id;
    std::string_view name;
    ControlClass kind;
    std::string_view caption;
    int left, top, width, height;
    int tabIndex;
    FontRole font;
    std::string_view accessibleName;  // what a screen reader calls it; empty: its caption
};

struct FormDescription {
    std::string_view name;
    std::string_view title;
    int clientWidth, clientHeight;  // twips
    std::string_view boxTitle;      // the boxes the program shows carry the program's name
    Colour background;
    Colour labelText;  // light on the dark background
    FontDescription windowFont, buttonFont;
    std::array<ControlDescription, 10> controls;

    constexpr ControlClass kindOf(Control id) const {
        for (const ControlDescription& control : controls)
            if (control.id == id) return control.kind;
        return ControlClass::Label;
    }
    constexpr bool has(Control id) const {
        for (const ControlDescription& control : controls)
            if (control.id == id) return true;
        return false;
    }
};

// The program's one window; both front-ends are built from this table.
inline constexpr FormDescription form1 = {
    "Form1",
    "Quarvel 2.0",
    5130,
    6810,
    QUARVEL_NAME,
    {1, 0, 66},
    {0xf0, 0xe8, 0xc8},
    {"Comic Sans MS", 8.25, 400},
    {"Comic Sans MS", 9.75, 700},
    {{
        {Control::Drive1, "Drive1", ControlClass::DriveListBox, "", 120, 1440, 2175, 405, 0, FontRole::Button, "Drive"},
        {Control::Command1, "Command1", ControlClass::CommandButton, "Compress Folder", 240, 5160, 1935, 495, 1,
         FontRole::Button, "Compress Folder"},
        {Control::Command2, "Command2", ControlClass::CommandButton, "Exit", 240, 5880, 1935, 495, 2, FontRole::Button,
         "Exit"},
        {Control::Label1, "Label1", ControlClass::Label, "*Greetings from Zobrel and Kaspiet*", 120, 6480, 4935, 375, 3,
         FontRole::Window, ""},
        {Control::File1, "File1", ControlClass::FileListBox, "", 2640, 2040, 2295, 2790, 4, FontRole::Window, "Files"},
        {Control::Dir1, "Dir1", ControlClass::DirListBox, "", 120, 2040, 2295, 2895, 5, FontRole::Window, "Folders"},
        {Control::Command6, "Command6", ControlClass::CommandButton, "Compress File", 3000, 5160, 1935, 495, 6,
         FontRole::Button, "Compress File"},
        {Control::Command7, "Command7", ControlClass::CommandButton, "Decompress File", 3000, 5880, 1935, 495, 7,
         FontRole::Button, "Decompress File"},
        {Control::Command3, "Command3", ControlClass::CommandButton, "Refresh List", 2640, 1320, 1095, 615, 8,
         FontRole::Button, "Refresh List"},
        {Control::Command4, "Command4", ControlClass::CommandButton, "Delete File", 3960, 1320, 975, 615, 9,
         FontRole::Button, "Delete File"},
    }},
};

}  // namespace window
