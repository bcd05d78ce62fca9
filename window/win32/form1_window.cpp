#include "window/win32/form1_window.h"

#include "platform/win32/wide_text.h"
#include "resources/win32/resource_ids.h"
#include "window/layout.h"

#include <dbt.h>

namespace window {

namespace {

COLORREF rgb(Colour colour) { return RGB(colour.red, colour.green, colour.blue); }

platform::OwnedBitmap loadBitmap(int id) {
    return platform::OwnedBitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// The control's own notifications while the window changes it are no gesture.
class Showing {
public:
    explicit Showing(bool& flag) : flag_(flag) { flag_ = true; }
    ~Showing() { flag_ = false; }
    Showing(const Showing&) = delete;
    Showing& operator=(const Showing&) = delete;

private:
    bool& flag_;
};

}  // namespace

Form1Window::Form1Window(const FormDescription& form, Presenter& presenter, int showCommand)
    : form_(form), presenter_(presenter), showCommand_(showCommand) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerForm1Class(instance, procedure);
    background_.reset(CreateSolidBrush(rgb(form.background)));
    banner_ = loadBitmap(QUARVEL_BANNER);
    banner2x_ = loadBitmap(QUARVEL_BANNER_2X);
    CreateWindowExW(0, form1ClassName, platform::fromUtf8(form.title).c_str(), form1FrameStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance, this);
    if (!window_) return;
    dpi_ = GetDpiForWindow(window_);
    input_.emplace(presenter_, window_, controls_);
    controls_ = createControls(window_, form_, Form1Input::listProcedure, reinterpret_cast<DWORD_PTR>(&*input_));
    layOut();
    presenter_.attach(this);
}

Form1Window::~Form1Window() {
    presenter_.attach(nullptr);
    close();
}

void Form1Window::layOut() {
    rowHeight_ = rowHeightAt(window_, form_, dpi_);  // before the lists are resized, which has them ask for it
    Form1Fonts fonts = layOutForm1(window_, form_, controls_, dpi_);
    fonts_ = std::move(fonts);  // the controls hold the new fonts now: the old ones can go
    for (Control list : {Control::Dir1, Control::File1})
        sizeColumn(control(list), presenter_.rows(), list, fonts_.window.get(), dpi_);
    InvalidateRect(window_, nullptr, TRUE);
}

void Form1Window::showWindow() {
    if (!window_) return;
    ShowWindow(window_, showCommand_);
    UpdateWindow(window_);
    SetFocus(control(tabOrder(form_).front()));
}

void Form1Window::showDrives(const std::vector<std::string>& rows) {
    HWND drive1 = control(Control::Drive1);
    SendMessageW(drive1, CB_RESETCONTENT, 0, 0);
    for (const std::string& row : rows)
        SendMessageW(drive1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::fromUtf8(row).c_str()));
}

void Form1Window::showRowCount(Control list, int count) {
    const Showing showing(input_->showing);
    SendMessageW(control(list), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
    sizeColumn(control(list), presenter_.rows(), list, fonts_.window.get(), dpi_);
    InvalidateRect(control(list), nullptr, TRUE);
}

void Form1Window::showSelection(Control list, int row) {
    const Showing showing(input_->showing);
    HWND view = control(list);
    if (list == Control::Drive1) {
        SendMessageW(view, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
        return;
    }
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (row < 0) {
        state.stateMask = LVIS_SELECTED;
        SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        return;
    }
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageW(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void Form1Window::close() {
    if (window_) DestroyWindow(window_);
}

int Form1Window::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window_ && IsDialogMessageW(window_, &message)) continue;  // Tab, and Return as IDOK
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return static_cast<int>(message.wParam);
}

void Form1Window::stopOn(std::exception_ptr failure) {
    if (!failure_) failure_ = failure;
    close();
}

// Laid out again from the twips, where the system suggests.
LRESULT Form1Window::onDpiChanged(WPARAM wParam, LPARAM lParam) {
    dpi_ = HIWORD(wParam);
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
    return 0;
}

LRESULT Form1Window::onColourStatic(HDC dc) {
    SetTextColor(dc, rgb(form_.labelText));
    SetBkColor(dc, rgb(form_.background));
    return reinterpret_cast<LRESULT>(background_.get());
}

LRESULT Form1Window::onEraseBackground(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, background_.get());
    return 1;
}

// The focus comes back to the control that had it.
void Form1Window::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
    } else {
        SetFocus(lastFocus_ ? lastFocus_ : control(tabOrder(form_).front()));
    }
}

// A tool started minimised takes the input focus, and does not give it back
// when it ends: the window takes it back, unless the user has gone on to
// another window meanwhile. The focus comes back to the control that had it.
void Form1Window::onToolEnded(DWORD tool) {
    HWND front = GetForegroundWindow();
    DWORD owner = 0;
    if (front) GetWindowThreadProcessId(front, &owner);
    const bool nobodyElse = !front || front == window_ || front == GetDesktopWindow() || front == GetShellWindow();
    if (nobodyElse || owner == tool) SetForegroundWindow(window_);
}

// While a job runs the wait ends first, then the window.
bool Form1Window::onClose() { return waitLoop_.wait() && waitLoop_.wait()->input(WaitInput::CloseRequest); }

// No exception crosses into the system's code: the program's events meet
// their failures at the boundary, and one that gets here anyway ends the
// program, from run().
LRESULT CALLBACK Form1Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->onMessage(message, wParam, lParam);
    } catch (...) {
        self->stopOn(std::current_exception());
        return 0;
    }
}

LRESULT Form1Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
    case WM_COMMAND: input_->command(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: return input_->notify(*reinterpret_cast<const NMHDR*>(lParam));
    case Form1Input::gestureMessage: input_->perform(wParam, lParam); return 0;
    case Form1Input::typedMessage: input_->typed(wParam, lParam); return 0;
    case WM_DPICHANGED: return onDpiChanged(wParam, lParam);
    case WM_CLOSE:
        if (onClose()) return 0;
        break;
    case WM_SETCURSOR:
        if (!waitLoop_.busy()) break;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    case WM_DEVICECHANGE:  // a drive came or went: Drive1 lists the drives there are now
        if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) presenter_.drivesChanged();
        return TRUE;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(rowHeight_);
        return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        painter_.draw(item, static_cast<Control>(item.CtlID - firstControlId), presenter_.rows(), fonts_.window.get(),
                      dpi_);
        return TRUE;
    }
    case WM_ERASEBKGND: return onEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_PAINT: paintBanner(window, banner_.get(), banner2x_.get(), dpi_); return 0;
    case WM_CTLCOLORSTATIC: return onColourStatic(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(background_.get());
    case WM_ACTIVATE: onActivate(wParam); return 0;
    case toolEndedMessage: onToolEnded(static_cast<DWORD>(wParam)); return 0;
    case WM_DESTROY:
        presenter_.attach(nullptr);
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        controls_.fill(nullptr);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace window
