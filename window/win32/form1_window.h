#pragma once

#include "form1_controls.h"
#include "form1_drawing.h"
#include "form1_input.h"
#include "form1_layout.h"
#include "screen_reader_names.h"
#include "win32_wait_loop.h"

#include "platform/win32/owned.h"
#include "window/form_description.h"
#include "window/presenter.h"

#include <windows.h>

#include <exception>
#include <optional>

namespace window {

// The program's one window on Windows, built from its description with the
// Win32 API: the banner, the fonts, each control at its place in tab order,
// laid out again whenever the window moves to a monitor of another DPI. It
// draws what the presenter decides and forwards the user's input to it, and
// tells it when the system's drives change. While a job runs, it lends the
// wait a message loop of its own.
class Form1Window final : private ListsView {
public:
    Form1Window(const FormDescription& form, Presenter& presenter, int showCommand = SW_SHOWNORMAL);
    ~Form1Window() override;
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    // Null once the window is gone.
    HWND window() const { return window_; }
    HWND control(Control id) const { return controls_[static_cast<size_t>(id)]; }

    // Destroys the window, which ends the message loop.
    void close();
    // Runs the message loop until the window is gone; the exit code. A
    // failure that no user action caught closes the window and is thrown here.
    int run();

    // Post it with a tool's process id when the tool ends.
    static constexpr UINT toolEndedMessage = WM_APP + 3;

    WaitLoop& waitLoop() { return waitLoop_; }
    void setWait(ActionWait* wait) { waitLoop_.setWait(wait); }
    bool waiting() const { return waitLoop_.wait() && waitLoop_.wait()->waiting(); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void stopOn(std::exception_ptr failure);

    void layOut();
    LRESULT onDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT onColourStatic(HDC dc);
    LRESULT onEraseBackground(HDC dc);
    void onActivate(WPARAM wParam);
    void onToolEnded(DWORD tool);
    bool onClose();

    void showWindow() override;
    void showDrives(const std::vector<std::string>& rows) override;
    void showRowCount(Control list, int count) override;
    void showSelection(Control list, int row) override;

    ComApartment com_;
    const FormDescription& form_;
    Presenter& presenter_;
    int showCommand_;
    HWND window_ = nullptr;
    ControlHandles controls_{};
    std::optional<Form1Input> input_;
    UINT dpi_ = 96;
    Form1Fonts fonts_;
    int rowHeight_ = 16;
    RowPainter painter_;
    platform::OwnedBrush background_;
    platform::OwnedBitmap banner_, banner2x_;
    HWND lastFocus_ = nullptr;
    std::exception_ptr failure_;
    Win32WaitLoop waitLoop_{[this] {
                                if (window_ && !IsWindowVisible(window_))
                                    showWindow();  // start-up never waits to show it
                            },
                            [this] { close(); }};
};

}  // namespace window
