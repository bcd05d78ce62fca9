#pragma once

#include "form1_controls.h"

#include "window/presenter.h"

#include <commctrl.h>

namespace window {

// Turns what the user does to the window's controls into the presenter's
// gestures and keys; the presenter decides what they mean. A gesture waits
// in the message queue until the control is done with the message that
// brought it: a box an event shows must not open inside a click.
class Form1Input {
public:
    static constexpr UINT gestureMessage = WM_APP + 1;  // wParam: control, gesture; lParam: row
    static constexpr UINT typedMessage = WM_APP + 2;    // wParam: control; lParam: text (owned)

    Form1Input(Presenter& presenter, HWND window, const ControlHandles& controls)
        : presenter_(presenter), window_(window), controls_(controls) {}

    // WM_COMMAND from a control, Return or Enter (IDOK) among them.
    void command(int id, int code);
    // WM_NOTIFY from Dir1 or File1; what the list-view wants back.
    LRESULT notify(const NMHDR& header);
    // The posted gestures and typed text, once the control is done.
    void perform(WPARAM wParam, LPARAM lParam);
    void typed(WPARAM wParam, LPARAM lParam);

    // Keys in Dir1 and File1: their text is typed as the presenter decides;
    // the controls' own search is left out.
    static LRESULT CALLBACK listProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);

    // Set while the window itself changes a selection: the control's own
    // notifications then are no gesture.
    bool showing = false;

private:
    enum Gesture { PickDrive, SelectionChanged, Activate, Click, Return };
    HWND control(Control id) const { return controls_[static_cast<size_t>(id)]; }
    void post(Control control, Gesture gesture, int row);
    void postDrivePick(int row);

    Presenter& presenter_;
    HWND window_;
    const ControlHandles& controls_;
    std::array<bool, 11> selectionPending_{};
    int pendingDrivePick_ = -1;
    wchar_t highSurrogate_ = 0;  // the first half of a character typed in two
};

}  // namespace window
