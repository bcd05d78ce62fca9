#include "window/win32/form1_window.h"

#include "platform/win32/wide_text.h"
#include "resources/win32/resource_ids.h"
#include "window/layout.h"
#include "window/twips.h"

#include <commctrl.h>
#include <dbt.h>

#include <algorithm>

namespace window {
namespace {

using platform::OwnedBrush;
using platform::OwnedFont;
using platform::OwnedPen;
using platform::Selected;

constexpr wchar_t className[] = L"Quarvel2Form1";
// Gestures wait in the queue until the control is done with the message that
// brought them: a box an event shows must not open inside a click.
constexpr UINT gestureMessage = WM_APP + 1;  // wParam: control, gesture; lParam: row
constexpr UINT typedMessage = WM_APP + 2;    // wParam: control, character; lParam: time
enum Gesture { PickDrive, SelectionChanged, Open, OpenHighlighted, Click };
constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int firstId = 100;

int idOf(Control control) { return firstId + static_cast<int>(control); }
bool isList(Control control) { return control == Control::Dir1 || control == Control::File1; }
std::wstring wide(std::string_view text) { return platform::fromUtf8(text); }
COLORREF rgb(Colour colour) { return RGB(colour.red, colour.green, colour.blue); }
// Keys and clicks in the client area: what a wait drops, as a modal box would.
bool isUserInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

OwnedFont createFont(const FontDescription& font, double pointSize, UINT dpi) {
    const int height = -MulDiv(static_cast<int>(pointSize * 100 + 0.5), static_cast<int>(dpi), 7200);
    return OwnedFont(CreateFontW(height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, wide(font.family).c_str()));
}

SIZE textSize(HDC dc, HFONT font, const std::wstring& text) {
    const Selected selected(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void registerClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, className, &windowClass)) return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    const auto icon = [instance](int metric) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QUARVEL_ICON), IMAGE_ICON,
                                             GetSystemMetrics(metric), GetSystemMetrics(metric), LR_SHARED));
    };
    windowClass.hIcon = icon(SM_CXICON);
    windowClass.hIconSm = icon(SM_CXSMICON);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

platform::OwnedBitmap loadBitmap(int id) {
    return platform::OwnedBitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// A small folder: open for the directory and its ancestors, closed below.
void drawFolder(HDC dc, int left, const RECT& row, bool open, UINT dpi) {
    const auto scaled = [dpi](int pixels) { return MulDiv(pixels, static_cast<int>(dpi), 96); };
    const int top = (row.top + row.bottom - scaled(10)) / 2;
    const OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));
    const OwnedBrush fill(CreateSolidBrush(RGB(248, 208, 96)));
    const Selected penSelected(dc, pen.get()), brushSelected(dc, fill.get());
    Rectangle(dc, left, top, left + scaled(6), top + scaled(3));
    Rectangle(dc, left, top + scaled(2), left + scaled(14), top + scaled(11));
    if (open) {
        const POINT flap[] = {{left, top + scaled(10)},
                              {left + scaled(3), top + scaled(5)},
                              {left + scaled(16), top + scaled(5)},
                              {left + scaled(13), top + scaled(10)}};
        Polygon(dc, flap, 4);
    }
}

}  // namespace

Form1Window::Form1Window(const FormDescription& form, Presenter& presenter, int showCommand)
    : form_(form), presenter_(presenter), showCommand_(showCommand) {
    // The manifest asks for common controls 6: they are registered here.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, procedure);
    background_.reset(CreateSolidBrush(rgb(form.background)));
    banner_ = loadBitmap(QUARVEL_BANNER);
    banner2x_ = loadBitmap(QUARVEL_BANNER_2X);
    CreateWindowExW(0, className, wide(form.title).c_str(), frameStyle, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                    nullptr, nullptr, instance, this);
    if (!window_) return;
    dpi_ = GetDpiForWindow(window_);
    createControls();
    layOut();
    presenter_.attach(this);
}

Form1Window::~Form1Window() {
    presenter_.attach(nullptr);
    close();
}

void Form1Window::createControls() {
    // Creation order is tab order; the label, no stop, comes last.
    for (Control id : tabOrder(form_))
        for (const ControlDescription& control : form_.controls)
            if (control.id == id) controls_[static_cast<size_t>(id)] = createControl(control);
    for (const ControlDescription& control : form_.controls)
        if (control.kind == ControlClass::Label) controls_[static_cast<size_t>(control.id)] = createControl(control);
}

HWND Form1Window::createControl(const ControlDescription& control) {
    const auto create = [&](DWORD exStyle, const wchar_t* kind, DWORD style) {
        return CreateWindowExW(exStyle, kind, wide(control.caption).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10,
                               10, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(idOf(control.id))),
                               GetModuleHandleW(nullptr), nullptr);
    };
    HWND created = nullptr;
    switch (control.kind) {
    case ControlClass::DriveListBox:
        created = create(0, WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
        break;
    case ControlClass::DirListBox:
    case ControlClass::FileListBox: {
        // A virtual list: rows are drawn from the lists, so a million cost
        // nothing; their texts reach screen readers through LVN_GETDISPINFO.
        created = create(WS_EX_CLIENTEDGE, WC_LISTVIEWW,
                         WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SINGLESEL |
                             LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER);
        SendMessageW(created, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, LVS_EX_DOUBLEBUFFER);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = 10;
        SendMessageW(created, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        SendMessageW(created, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(control.accessibleName).c_str()));
        SetWindowSubclass(created, listProcedure, static_cast<UINT_PTR>(control.id), reinterpret_cast<DWORD_PTR>(this));
        break;
    }
    case ControlClass::CommandButton: created = create(0, WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON); break;
    case ControlClass::Label: created = create(0, WC_STATICW, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX); break;
    }
    return created;
}

// Places and sizes everything from the table's twips at the window's DPI,
// fonts too: when the window is made, and when it moves to a monitor of
// another DPI.
void Form1Window::layOut() {
    RECT frame{0, 0, twipsToPixels(form_.clientWidth, dpi_), twipsToPixels(form_.clientHeight, dpi_)};
    AdjustWindowRectExForDpi(&frame, frameStyle, FALSE, 0, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    OwnedFont windowFont = createFont(form_.windowFont, form_.windowFont.pointSize, dpi_);
    OwnedFont buttonFont = createFont(form_.buttonFont, form_.buttonFont.pointSize, dpi_);
    std::vector<OwnedFont> buttonFonts;
    const platform::WindowDc dc(window_);
    TEXTMETRICW metrics;
    {
        const Selected selected(dc.get(), windowFont.get());
        GetTextMetricsW(dc.get(), &metrics);
    }
    // A row has room for its text and for Dir1's folder.
    itemHeight_ = std::max<int>(metrics.tmHeight + scaled(2), scaled(14));

    for (const ControlDescription& control : form_.controls) {
        HWND handle = this->control(control.id);
        const int x = twipsToPixels(control.left, dpi_), y = twipsToPixels(control.top, dpi_);
        const int width = twipsToPixels(control.width, dpi_), height = twipsToPixels(control.height, dpi_);
        const FontDescription& description = control.font == FontRole::Button ? form_.buttonFont : form_.windowFont;
        HFONT font = control.font == FontRole::Button ? buttonFont.get() : windowFont.get();
        if (control.kind == ControlClass::CommandButton) {
            const std::wstring caption = wide(control.caption);
            const double room = width - 2 * scaled(6);
            const double pointSize = fittedPointSize(description.pointSize, room, [&](double size) {
                const OwnedFont trial = createFont(description, size, dpi_);
                return static_cast<double>(textSize(dc.get(), trial.get(), caption).cx);
            });
            buttonFonts.push_back(createFont(description, pointSize, dpi_));
            font = buttonFonts.back().get();
        }
        const bool combo = control.kind == ControlClass::DriveListBox;
        SetWindowPos(handle, nullptr, x, y, width, combo ? height + 8 * itemHeight_ : height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (combo) fitComboHeight(handle, height);
    }
    // The controls hold the new fonts now: the old ones can go.
    windowFont_ = std::move(windowFont);
    buttonFont_ = std::move(buttonFont);
    buttonFonts_ = std::move(buttonFonts);
    sizeColumn(Control::Dir1);
    sizeColumn(Control::File1);
    InvalidateRect(window_, nullptr, TRUE);
}

// A closed drop-down list is as high as its selection field: that is made as
// high as the table says.
void Form1Window::fitComboHeight(HWND combo, int height) {
    // What a field of a given height adds around it differs between systems
    // (Wine adds to the height it is given): measure, correct, measure again.
    LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int tries = 0; tries < 4; ++tries) {
        RECT rect;
        GetWindowRect(combo, &rect);
        if (rect.bottom - rect.top == height) return;
        field += height - (rect.bottom - rect.top);
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

// The one column is as wide as the widest row, so that the list scrolls
// sideways far enough to read any name whole.
void Form1Window::sizeColumn(Control list) {
    HWND view = control(list);
    RECT client;
    GetClientRect(view, &client);
    int widest = client.right;
    const platform::WindowDc dc(view);
    constexpr int measuredAtMost = 256;
    for (int row : presenter_.longestRows(list, measuredAtMost)) {
        const int text = textSize(dc.get(), windowFont_.get(), wide(presenter_.rowText(list, row))).cx;
        const int before = list == Control::Dir1 ? presenter_.indent(list, row) * scaled(dirIndentPixels) + scaled(20) : 0;
        widest = std::max(widest, before + text + scaled(6));
    }
    SendMessageW(view, LVM_SETCOLUMNWIDTH, 0, widest);
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
        SendMessageW(drive1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(row).c_str()));
}

// The control's own notifications while the window changes it are no gesture.
struct Form1Window::Showing {
    bool& flag;
    explicit Showing(bool& flag) : flag(flag) { flag = true; }
    ~Showing() { flag = false; }
};

void Form1Window::showRowCount(Control list, int count) {
    const Showing showing(showing_);
    SendMessageW(control(list), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
    sizeColumn(list);
    InvalidateRect(control(list), nullptr, TRUE);
}

void Form1Window::showSelection(Control list, int row) {
    const Showing showing(showing_);
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

bool Form1Window::translate(MSG& message) { return window_ && IsDialogMessageW(window_, &message); }

int Form1Window::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (translate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return static_cast<int>(message.wParam);
}

void Form1Window::showWindowIfHidden() {
    if (window_ && !IsWindowVisible(window_)) showWindow();  // start-up never waits to show the window
}

void Form1Window::runEvents(std::optional<std::chrono::milliseconds> timeout) {
    HANDLE wakeEvent = wakeEvent_.get();
    MsgWaitForMultipleObjectsEx(1, &wakeEvent, timeout ? static_cast<DWORD>(timeout->count()) : INFINITE, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {  // for the loop that runs the window, once this wait is over
            quitAfterWait_ = static_cast<int>(message.wParam);
            continue;
        }
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            wait_->input(WaitInput::Escape);
            continue;
        }
        const bool closeKeys = message.message == WM_SYSKEYDOWN && message.wParam == VK_F4;
        if (isUserInput(message.message) && !closeKeys && wait_->input(WaitInput::OtherInput)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Form1Window::waitEnded() {
    if (quitAfterWait_) PostQuitMessage(*std::exchange(quitAfterWait_, std::nullopt));
}

void Form1Window::showBusy(bool busy) {
    busy_ = busy;
    if (busy) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return;
    }
    POINT at;
    GetCursorPos(&at);
    SetCursorPos(at.x, at.y);  // the cursor the window has there comes back
}

void Form1Window::stopOn(std::exception_ptr failure) {
    if (!failure_) failure_ = failure;
    close();
}

void Form1Window::postGesture(Control control, int gesture, int row) {
    PostMessageW(window_, gestureMessage, MAKEWPARAM(static_cast<WORD>(control), static_cast<WORD>(gesture)), row);
}

// One pick of a drive, even of the one shown, is one Change; a list that
// reports a pick twice still raises it once.
void Form1Window::postDrivePick(int row) {
    if (row < 0 || row == pendingDrivePick_) return;
    pendingDrivePick_ = row;
    postGesture(Control::Drive1, PickDrive, row);
}

void Form1Window::perform(Control source, int gesture, int row) {
    switch (gesture) {
    case PickDrive:
        pendingDrivePick_ = -1;
        presenter_.pickDrive(row);
        return;
    case SelectionChanged:  // to what the control shows once it is done
        selectionPending_[static_cast<size_t>(source)] = false;
        row = static_cast<int>(SendMessageW(control(source), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (source == Control::Dir1)
            presenter_.highlightDirectory(row);
        else
            presenter_.selectFile(row);
        return;
    case Open: presenter_.openDirectory(row); return;
    case OpenHighlighted: presenter_.openHighlightedDirectory(); return;
    case Click: presenter_.click(source); return;
    }
}

void Form1Window::command(int id, int code) {
    HWND focus = GetFocus();
    if (id == IDOK) {  // Return or Enter, as the dialog keys deliver it
        if (focus == control(Control::Dir1)) {
            postGesture(Control::Dir1, OpenHighlighted, -1);
        } else if (focus && GetParent(focus) == window_ && focus != control(Control::Drive1) &&
                   focus != control(Control::File1)) {
            SendMessageW(focus, BM_CLICK, 0, 0);
        }
        return;
    }
    if (id < firstId || id > idOf(Control::Command7)) return;
    const auto source = static_cast<Control>(id - firstId);
    HWND sender = control(source);
    if (source == Control::Drive1) {
        if (code == CBN_DROPDOWN) presenter_.dropDown();
        // A pick from the open list ends in CBN_SELENDOK, the drive shown
        // too; the arrow keys on the closed list pick with CBN_SELCHANGE.
        if (code == CBN_SELENDOK || (code == CBN_SELCHANGE && !SendMessageW(sender, CB_GETDROPPEDSTATE, 0, 0)))
            postDrivePick(static_cast<int>(SendMessageW(sender, CB_GETCURSEL, 0, 0)));
        return;
    }
    if (!isList(source) && code == BN_CLICKED) postGesture(source, Click, -1);
}

LRESULT Form1Window::notify(const NMHDR& header) {
    const auto source = static_cast<Control>(header.idFrom - firstId);
    if (header.idFrom < static_cast<UINT_PTR>(firstId) || !isList(source)) return 0;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::wstring text = wide(presenter_.rowText(source, item.iItem));
            lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
        }
        return 0;
    }
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED: {
        // A click unselects one row and selects another: one gesture, once
        // the control is done.
        bool& pending = selectionPending_[static_cast<size_t>(source)];
        if (showing_ || pending) return 0;
        pending = true;
        postGesture(source, SelectionChanged, -1);
        return 0;
    }
    case LVN_ODFINDITEMW:
        return -1;  // the control's own search: type-ahead is the presenter's
    case NM_DBLCLK: {
        // On File1 the first click selected already: a double click does nothing more.
        const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (source == Control::Dir1 && row >= 0) postGesture(source, Open, row);
        return 0;
    }
    default: return 0;
    }
}

void Form1Window::draw(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const auto list = static_cast<Control>(item.CtlID - firstId);
    const int row = static_cast<int>(item.itemID);
    const bool selected =
        SendMessageW(item.hwndItem, LVM_GETITEMSTATE, item.itemID, LVIS_SELECTED) & LVIS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    const Selected font(item.hDC, windowFont_.get());
    RECT text = item.rcItem;
    text.left += scaled(2);
    if (row >= presenter_.rowCount(list)) return;  // a row the control has not dropped yet stays empty
    if (list == Control::Dir1) {
        text.left += presenter_.indent(list, row) * scaled(dirIndentPixels);
        drawFolder(item.hDC, text.left, item.rcItem, presenter_.isOpenFolder(row), dpi_);
        text.left += scaled(20);
    }
    const std::wstring line = wide(presenter_.rowText(list, row));
    DrawTextW(item.hDC, line.c_str(), static_cast<int>(line.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void Form1Window::paintBanner() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const BannerDrawing banner = bannerAt(dpi_ / 96.0);
    HBITMAP image = banner.twiceImage ? banner2x_.get() : banner_.get();
    if (image) {
        // From the top-left corner: what lies past the right edge is cut off.
        BITMAP bitmap;
        GetObjectW(image, sizeof bitmap, &bitmap);
        const platform::MemoryDc memory(CreateCompatibleDC(dc));
        const Selected selected(memory.get(), image);
        if (bitmap.bmWidth == banner.width && bitmap.bmHeight == banner.height) {
            BitBlt(dc, 0, 0, banner.width, banner.height, memory.get(), 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, 0, 0, banner.width, banner.height, memory.get(), 0, 0, bitmap.bmWidth, bitmap.bmHeight,
                       SRCCOPY);
        }
    }
    EndPaint(window_, &paint);
}

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

// Typing in Dir1 or File1 finds a row as the presenter decides; the
// control's own search is left out.
LRESULT CALLBACK Form1Window::listProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self) {
    // AltGr, which some layouts need for @ or ł, comes as Ctrl and Alt together.
    const bool controlAlone = (GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_MENU) & 0x8000);
    const bool typed = message == WM_CHAR && wParam > L' ' && !controlAlone;
    if (!typed) return DefSubclassProc(list, message, wParam, lParam);
    const auto form = reinterpret_cast<Form1Window*>(self);
    PostMessageW(form->window_, typedMessage, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(wParam)),
                 static_cast<LPARAM>(GetMessageTime()));
    return 0;
}

LRESULT Form1Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return notify(*reinterpret_cast<const NMHDR*>(lParam));
    case gestureMessage:
        perform(static_cast<Control>(LOWORD(wParam)), HIWORD(wParam), static_cast<int>(lParam));
        return 0;
    case typedMessage: {
        const wchar_t typed = static_cast<wchar_t>(HIWORD(wParam));
        if (typed < 0xD800 || typed > 0xDFFF)
            presenter_.type(static_cast<Control>(LOWORD(wParam)), platform::toUtf8(std::wstring(1, typed)),
                            static_cast<DWORD>(lParam));
        return 0;
    }
    case WM_DPICHANGED: {
        // Laid out again from the twips, where the system suggests.
        dpi_ = HIWORD(wParam);
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        layOut();
        return 0;
    }
    case WM_CLOSE:
        if (wait_ && wait_->input(WaitInput::CloseRequest)) return 0;  // the wait ends first, then the window
        break;
    case WM_SETCURSOR:
        if (!busy_) break;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    case WM_DEVICECHANGE:
        // A drive came or went: Drive1 lists the drives there are now.
        if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) presenter_.drivesChanged();
        return TRUE;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(itemHeight_);
        return TRUE;
    case WM_DRAWITEM:
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
        return 1;
    }
    case WM_PAINT:
        paintBanner();
        return 0;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), rgb(form_.labelText));
        SetBkColor(reinterpret_cast<HDC>(wParam), rgb(form_.background));
        return reinterpret_cast<LRESULT>(background_.get());
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(background_.get());
    case WM_ACTIVATE:
        // The focus comes back to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window, focus)) lastFocus_ = focus;
        } else {
            SetFocus(lastFocus_ ? lastFocus_ : control(tabOrder(form_).front()));
        }
        return 0;
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
