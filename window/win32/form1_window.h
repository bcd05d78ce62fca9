#pragma once

#include "platform/win32/owned.h"
#include "window/form_description.h"
#include "window/action_wait.h"
#include "window/presenter.h"

#include <windows.h>

#include <array>
#include <exception>
#include <optional>
#include <vector>

namespace window {

// The program's one window on Windows, built from its description with the
// Win32 API: the banner, the fonts, each control at its place in tab order,
// laid out again whenever the window moves to a monitor of another DPI. It
// draws what the presenter decides and forwards the user's gestures to it,
// and tells it when the system's drives change. While a job runs, it lends
// the wait a message loop of its own: painting, and handing input to the wait.
class Form1Window final : private ListsView, public WaitLoop {
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
    // Keyboard navigation between the controls; true when the message was used.
    bool translate(MSG& message);
    // Runs the message loop until the window is gone; the exit code. A
    // failure that no user action caught closes the window and is thrown here.
    int run();

    void setWait(ActionWait* wait) { wait_ = wait; }
    bool waiting() const { return wait_ && wait_->waiting(); }

    void showWindowIfHidden() override;
    void runEvents(std::optional<std::chrono::milliseconds> timeout) override;
    void wake() override { SetEvent(wakeEvent_.get()); }
    void showBusy(bool busy) override;
    void closeWindow() override { close(); }
    void waitEnded() override;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK listProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void stopOn(std::exception_ptr failure);

    void createControls();
    HWND createControl(const ControlDescription& control);
    void layOut();
    void fitComboHeight(HWND combo, int height);
    void sizeColumn(Control list);
    int scaled(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }

    void command(int id, int code);
    LRESULT notify(const NMHDR& header);
    void postGesture(Control control, int gesture, int row);
    void perform(Control control, int gesture, int row);
    void postDrivePick(int row);
    void draw(const DRAWITEMSTRUCT& item);
    void paintBanner();

    struct Showing;
    void showWindow() override;
    void showDrives(const std::vector<std::string>& rows) override;
    void showRowCount(Control list, int count) override;
    void showSelection(Control list, int row) override;

    const FormDescription& form_;
    Presenter& presenter_;
    int showCommand_;
    HWND window_ = nullptr;
    std::array<HWND, 11> controls_{};
    UINT dpi_ = 96;
    platform::OwnedFont windowFont_, buttonFont_;
    std::vector<platform::OwnedFont> buttonFonts_;  // each button's, fitted to its caption
    platform::OwnedBrush background_;
    platform::OwnedBitmap banner_, banner2x_;
    int itemHeight_ = 16;
    HWND lastFocus_ = nullptr;
    bool showing_ = false;  // the window itself changes a selection
    std::array<bool, 11> selectionPending_{};
    int pendingDrivePick_ = -1;
    std::exception_ptr failure_;
    platform::OwnedHandle wakeEvent_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    ActionWait* wait_ = nullptr;
    std::optional<int> quitAfterWait_;  // the loop that runs the window was asked to end meanwhile
    bool busy_ = false;
};

}  // namespace window
