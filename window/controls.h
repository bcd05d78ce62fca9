#pragma once

namespace window {

// The window and its ten controls, as the control table and the event table
// name them.
enum class Control { Form1, Drive1, Dir1, File1, Label1, Command1, Command2, Command3, Command4, Command6, Command7 };

// What the user, or the window itself, does to a control.
enum class Event {
    Load,           // Form1: the window was made, before it shows
    Change,         // Drive1: a drive was picked; Dir1: an entry was opened
    Click,          // a button was pressed
    Highlight,      // Dir1: an entry was highlighted without opening it
    Select,         // File1: a file was selected, or none (-1)
    DropDown,       // Drive1: its list is about to open
    DrivesChanged,  // Drive1: the system's drives changed (one was mounted or went away)
};

// Where the presenter hands over what the user did. `item` is what the event
// is about in the list's own numbering: a drive, a Dir1 entry index (-1 the
// open directory, -2 its parent), a file, -1 for none.
class UserInput {
public:
    virtual ~UserInput() = default;
    virtual void raise(Control control, Event event, int item) = 0;
};

}  // namespace window
