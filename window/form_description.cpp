#include "form_description.h"

namespace window {

using enum ControlClass;
using enum FontRole;

const FormDescription form1 = {
    "Form1",
    "Quarvel 2.0",
    5130, 6810,
    1, 0, 66,
    {"Comic Sans MS", 8.25, 400},
    {"Comic Sans MS", 9.75, 700},
    {{
        {"Drive1", DriveListBox, "", 120, 1440, 2175, 405, 0, Button, "Drives"},
        {"Command1", CommandButton, "Compress Folder", 240, 5160, 1935, 495, 1, Button, "Compress Folder"},
        {"Command2", CommandButton, "Exit", 240, 5880, 1935, 495, 2, Button, "Exit"},
        {"Label1", Label, "*Greetings from Zobrel and Kaspiet*", 120, 6480, 4935, 375, 3, Window, "Greetings"},
        {"File1", FileListBox, "", 2640, 2040, 2295, 2790, 4, Window, "Files"},
        {"Dir1", DirListBox, "", 120, 2040, 2295, 2895, 5, Window, "Folders"},
        {"Command6", CommandButton, "Compress File", 3000, 5160, 1935, 495, 6, Button, "Compress File"},
        {"Command7", CommandButton, "Decompress File", 3000, 5880, 1935, 495, 7, Button, "Decompress File"},
        {"Command3", CommandButton, "Refresh List", 2640, 1320, 1095, 615, 8, Button, "Refresh List"},
        {"Command4", CommandButton, "Delete File", 3960, 1320, 975, 615, 9, Button, "Delete File"},
    }},
};

}  // namespace window
