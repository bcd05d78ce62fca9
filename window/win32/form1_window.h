#pragma once

#include "browse/lists.h"
#include "window/controls.h"
#include "window/form_description.h"

#include <windows.h>

#include <array>
#include <deque>
#include <optional>
#include <vector>

namespace window {

// The program's one window on Windows, built from its description with the
// Win32 API: the banner, the fonts, each control at its place in tab order.
// It shows `lists` and hands what the user does to `input`; after each event
// it shows the lists again.
class Form1Window {
public:
    Form1Window(const FormDescription& form, UserInput& input, const browse::Lists& lists);
    ~Form1Window();
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    // Null once the window is gone.
    HWND handle() const { return window_; }
    HWND control(Control id) const { return controls_[static_cast<size_t>(id)]; }

    // Hands an event to the program, then shows the lists as they are now.
    void raise(Control control, Event event, int row);
    // Shows the window with the focus on the first control in tab order.
    void show(int showCommand);
    // Destroys the window, which ends the message loop.
    void close();
    // Keyboard navigation between the controls; true when the message was used.
    bool translate(MSG& message);
    // Runs the message loop until the window is gone; the exit code.
    int run();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    HWND createControl(const ControlDescription& control);
    HFONT fittingFont(HWND button, const ControlDescription& control);
    void fitComboHeight(HWND combo, int height);
    void command(int id, int code);
    void post(Control control, Event event, int row);
    void postDrivePick(int index, bool again);
    void update();
    void draw(const DRAWITEMSTRUCT& item);
    void paintBanner();

    const FormDescription& form_;
    UserInput& input_;
    const browse::Lists& lists_;
    HWND window_ = nullptr;
    std::array<HWND, 11> controls_{};
    UINT dpi_ = 96;
    HFONT windowFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    std::vector<HFONT> shrunkFonts_;
    HBRUSH background_ = nullptr;
    HBITMAP banner_ = nullptr;
    int itemHeight_ = 16;
    HWND lastFocus_ = nullptr;

    // What the controls show, to leave unchanged lists alone.
    std::vector<platform::Drive> shownDrives_;
    std::optional<unsigned> shownDirGeneration_, shownFileGeneration_;

    // Events wait while one runs: a box it shows lets other messages through.
    struct Pending {
        Control control;
        Event event;
        int row;
    };
    std::deque<Pending> waiting_;
    bool raising_ = false;
    int pendingDrivePick_ = -1;
};

}  // namespace window
