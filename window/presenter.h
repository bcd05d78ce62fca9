#pragma once

#include "controls.h"
#include "keys.h"
#include "rows.h"
#include "type_ahead.h"

#include "browse/lists.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace window {

// What a window draws, told by the presenter exactly what changed.
class ListsView {
public:
    virtual ~ListsView() = default;
    // Shows the window for the first time.
    virtual void showWindow() = 0;
    // Drive1 has these rows now.
    virtual void showDrives(const std::vector<std::string>& rows) = 0;
    // Dir1 or File1 has `count` new rows; rows() gives what they show.
    virtual void showRowCount(Control list, int count) = 0;
    // `list` shows `row` selected (-1: none), scrolled into view.
    virtual void showSelection(Control list, int row) = 0;
};

// Decides what both windows show and turns what the user does to them into
// the program's events. A window draws what it is told, forwards the user's
// keys and gestures here, and asks rows() what its rows show.
class Presenter {
public:
    Presenter(const browse::Lists& lists, UserInput& input) : lists_(lists), rows_(lists), input_(input) {}

    // The window, once it is made; nothing while it is gone.
    void attach(ListsView* view);
    // Load, then the lists as they are, then the window on screen.
    void start();
    const Rows& rows() const { return rows_; }

    // The user's gestures. Each notes what the control shows now, then
    // raises its event; the lists may answer otherwise, and then the control
    // is told to show what they hold.
    // Drive1: any pick, by keys, mouse or wheel, the drive shown too.
    void pickDrive(int row);
    void dropDown() { raise(Control::Drive1, Event::DropDown, -1); }
    // The system's drives changed: Drive1 lists them anew.
    void drivesChanged() { raise(Control::Drive1, Event::DrivesChanged, -1); }
    // Dir1: the highlight moved to `row`; -1 puts it back where the list has it.
    void highlightDirectory(int row);
    // File1: `row` selected, or none with -1.
    void selectFile(int row);
    void click(Control button) { raise(button, Event::Click, -1); }
    // A row activated, by a double click or the system's own activation:
    // Dir1 opens it; File1 only selects it.
    void activate(Control list, int row);
    // A key pressed while `control` has the keyboard, with the text it
    // types (UTF-8; input methods' text comes so too) at `timeMs`. True when
    // it was taken here, and the control must not act on it as well. Return
    // presses a button and opens Dir1's highlighted entry, and does nothing
    // on Drive1 and File1; text typed in a list finds a row.
    bool key(Control control, Key key, std::string_view text, Modifiers modifiers, std::uint64_t timeMs);
    // The keyboard moved to `control`.
    void focus(Control control);

    // Has the view show what changed now, in the middle of an event: before a box.
    void showChangesNow() { showChanges(); }

    // Hands an event to the program, then has the view show what changed.
    // One event runs at a time: one raised while another runs (a box it
    // shows, or the wait for a job, lets the window's messages through)
    // waits for it to end; a re-read of the drives waits once however often
    // it is asked for meanwhile. `item` is the list's own number (Dir1's
    // entry index), not its row on screen.
    void raise(Control control, Event event, int item);

private:
    struct Shown {
        std::optional<unsigned> generation;  // of the rows shown
        int row = -1;
    };
    Shown& shown(Control list);
    void openDirectory(int row);
    void type(Control list, std::string_view text, std::uint64_t timeMs);
    void showChanges();

    const browse::Lists& lists_;
    Rows rows_;
    UserInput& input_;
    ListsView* view_ = nullptr;

    std::optional<std::vector<std::string>> shownDrives_;
    Shown drive_, dir_, file_;
    TypeAhead typeAhead_;  // the list with the keyboard's; a new prefix in each

    struct Waiting {
        Control control;
        Event event;
        int item;
    };
    std::deque<Waiting> waiting_;
    bool raising_ = false;
};

}  // namespace window
