#pragma once

#include <array>
#include <string_view>

namespace window {

enum class ControlClass { DriveListBox, DirListBox, FileListBox, CommandButton, Label };
enum class FontRole { Window, Button };

struct FontDescription {
    std::string_view family;
    double pointSize;
    int weight;  // 400 regular, 700 bold
};

// One control: places and sizes in twips (1/1440 inch) from the client area's
// top-left corner, as the window system turns them into pixels.
struct ControlDescription {
    std::string_view name;
    ControlClass kind;
    std::string_view caption;
    int left, top, width, height;
    int tabIndex;
    FontRole font;
    std::string_view accessibleName;
};

struct FormDescription {
    std::string_view name;
    std::string_view title;
    int clientWidth, clientHeight;  // twips
    int backgroundRed, backgroundGreen, backgroundBlue;
    FontDescription windowFont, buttonFont;
    std::array<ControlDescription, 10> controls;
};

extern const FormDescription form1;

}  // namespace window
