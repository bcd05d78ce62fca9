#pragma once

#include "controls.h"
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
    // Dir1 or File1 has `count` new rows; the presenter gives their texts.
    virtual void showRowCount(Control list, int count) = 0;
    // `list` shows `row` selected (-1: none), scrolled into view.
    virtual void showSelection(Control list, int row) = 0;
};

// Decides what both windows show and turns what the user does to them into
// the program's events. A window draws what it is told, forwards the user's
// gestures here, and asks here for the texts of its rows.
class Presenter {
public:
    Presenter(const browse::Lists& lists, UserInput& input) : lists_(lists), input_(input) {}

    // The window, once it is made; nothing while it is gone.
    void attach(ListsView* view);
    // Load, then the lists as they are, then the window on screen.
    void start();

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
    // Dir1: a double click on `row`, or Return on the highlighted row.
    void openDirectory(int row);
    void openHighlightedDirectory() { openDirectory(shownRow(Control::Dir1)); }
    // File1: `row` selected, or none with -1.
    void selectFile(int row);
    void click(Control button) { raise(button, Event::Click, -1); }
    // Dir1 or File1: `text` typed at `timeMs`; the row it leads to is
    // highlighted or selected.
    void type(Control list, std::string_view text, std::uint64_t timeMs);

    // What Dir1's and File1's rows show.
    int rowCount(Control list) const;
    std::string rowText(Control list, int row) const;
    // Dir1: how many steps the row is indented, and whether it is the open
    // directory or one of its ancestors (an open folder) or below (closed).
    int indent(Control list, int row) const;
    bool isOpenFolder(int row) const;
    // Dir1: the whole path of a row, for its tip.
    std::string pathText(int row) const;
    // The rows with the longest texts, at most `limit`: as a million rows
    // cannot all be measured, a view sizes its widest row from these.
    std::vector<int> longestRows(Control list, int limit) const;

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
    int shownRow(Control list) { return shown(list).row; }
    void showChanges();

    const browse::Lists& lists_;
    UserInput& input_;
    ListsView* view_ = nullptr;

    std::optional<std::vector<std::string>> shownDrives_;
    Shown drive_, dir_, file_;
    TypeAhead dirTypeAhead_, fileTypeAhead_;

    struct Waiting {
        Control control;
        Event event;
        int item;
    };
    std::deque<Waiting> waiting_;
    bool raising_ = false;
};

}  // namespace window
