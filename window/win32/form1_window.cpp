#include "window/win32/form1_window.h"

#include "window/row_texts.h"
#include "platform/win32/wide_text.h"
#include "resources/win32/resource_ids.h"
#include "window/twips.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

namespace window {
namespace {

constexpr wchar_t className[] = L"Quarvel2Form1";
constexpr UINT raiseMessage = WM_APP + 1;      // wParam: control, event; lParam: row
constexpr UINT pickDriveMessage = WM_APP + 2;  // wParam: drive index
constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr COLORREF labelText = RGB(0xf0, 0xe8, 0xc8);  // light on the dark blue
constexpr int firstId = 100;

int idOf(Control control) { return firstId + static_cast<int>(control); }

std::wstring wide(std::string_view text) { return platform::fromUtf8(text); }

HFONT createFont(const FontDescription& font, UINT dpi) {
    const int height = -MulDiv(static_cast<int>(font.pointSize * 100 + 0.5), static_cast<int>(dpi), 7200);
    return CreateFontW(height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       wide(font.family).c_str());
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

// A small folder: open for the directory and its ancestors, closed below.
void drawFolder(HDC dc, int left, const RECT& row, bool open, UINT dpi) {
    const auto scaled = [dpi](int pixels) { return MulDiv(pixels, static_cast<int>(dpi), 96); };
    const int top = (row.top + row.bottom - scaled(10)) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 96, 0));
    HBRUSH fill = CreateSolidBrush(RGB(248, 208, 96));
    const HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, fill);
    Rectangle(dc, left, top, left + scaled(6), top + scaled(3));
    Rectangle(dc, left, top + scaled(2), left + scaled(14), top + scaled(11));
    if (open) {
        const POINT flap[] = {{left, top + scaled(10)},
                              {left + scaled(3), top + scaled(5)},
                              {left + scaled(16), top + scaled(5)},
                              {left + scaled(13), top + scaled(10)}};
        Polygon(dc, flap, 4);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(fill);
}

}  // namespace

Form1Window::Form1Window(const FormDescription& form, UserInput& input, const browse::Lists& lists)
    : form_(form), input_(input), lists_(lists) {
    // The manifest asks for common controls 6: they are registered here.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, procedure);
    background_ = CreateSolidBrush(RGB(form.backgroundRed, form.backgroundGreen, form.backgroundBlue));
    banner_ = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(QUARVEL_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    CreateWindowExW(0, className, wide(form.title).c_str(), frameStyle, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                    nullptr, nullptr, instance, this);
    if (!window_) return;

    // The client area has the table's size at the window's own DPI.
    dpi_ = GetDpiForWindow(window_);
    RECT frame{0, 0, twipsToPixels(form.clientWidth, dpi_), twipsToPixels(form.clientHeight, dpi_)};
    AdjustWindowRectExForDpi(&frame, frameStyle, FALSE, 0, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    windowFont_ = createFont(form.windowFont, dpi_);
    buttonFont_ = createFont(form.buttonFont, dpi_);
    HDC dc = GetDC(window_);
    const HGDIOBJ old = SelectObject(dc, windowFont_);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    // A row has room for its text and for Dir1's folder.
    itemHeight_ = std::max<int>(metrics.tmHeight + MulDiv(2, static_cast<int>(dpi_), 96),
                                MulDiv(14, static_cast<int>(dpi_), 96));
    createControls();
}

Form1Window::~Form1Window() {
    close();
    for (HFONT font : shrunkFonts_) DeleteObject(font);
    DeleteObject(windowFont_);
    DeleteObject(buttonFont_);
    DeleteObject(background_);
    if (banner_) DeleteObject(banner_);
}

void Form1Window::createControls() {
    std::map<int, const ControlDescription*> byTabIndex;
    for (const ControlDescription& control : form_.controls) byTabIndex.emplace(control.tabIndex, &control);
    // Creation order is tab order.
    for (const auto& [tabIndex, control] : byTabIndex)
        controls_[static_cast<size_t>(control->id)] = createControl(*control);
}

HWND Form1Window::createControl(const ControlDescription& control) {
    const int x = twipsToPixels(control.left, dpi_), y = twipsToPixels(control.top, dpi_);
    const int width = twipsToPixels(control.width, dpi_), height = twipsToPixels(control.height, dpi_);
    const auto create = [&](DWORD exStyle, const wchar_t* kind, DWORD style, int h) {
        return CreateWindowExW(exStyle, kind, wide(control.caption).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                               h, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(idOf(control.id))),
                               GetModuleHandleW(nullptr), nullptr);
    };
    HWND created = nullptr;
    HFONT font = control.font == FontRole::Button ? buttonFont_ : windowFont_;
    switch (control.kind) {
    case ControlClass::DriveListBox:
        created = create(0, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, height + 8 * itemHeight_);
        SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        fitComboHeight(created, height);
        return created;
    case ControlClass::DirListBox:
    case ControlClass::FileListBox:
        // No strings: rows are drawn from the lists, so a million cost nothing.
        created = create(WS_EX_CLIENTEDGE, L"LISTBOX",
                         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT,
                         height);
        break;
    case ControlClass::CommandButton:
        created = create(0, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, height);
        font = fittingFont(created, control);
        break;
    case ControlClass::Label:
        created = create(0, L"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, height);
        break;
    }
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return created;
}

// The table's font where the caption fits; else the largest smaller one that
// does, as a substituted face may run wider than the one the table names.
HFONT Form1Window::fittingFont(HWND button, const ControlDescription& control) {
    const std::wstring caption = wide(control.caption);
    RECT client;
    GetClientRect(button, &client);
    const int margin = MulDiv(4, static_cast<int>(dpi_), 96);
    LOGFONTW description;
    GetObjectW(buttonFont_, sizeof description, &description);
    HDC dc = GetDC(button);
    const HGDIOBJ old = SelectObject(dc, buttonFont_);
    HFONT font = buttonFont_;
    for (;;) {
        SelectObject(dc, font);
        SIZE size;
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        const bool fits = size.cx <= client.right - 2 * margin && size.cy <= client.bottom;
        if (fits || description.lfHeight >= -6) break;
        ++description.lfHeight;  // heights are negative: one pixel smaller
        if (font != buttonFont_) DeleteObject(font);
        font = CreateFontIndirectW(&description);
    }
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    if (font != buttonFont_) shrunkFonts_.push_back(font);
    return font;
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

void Form1Window::show(int showCommand) {
    if (!window_) return;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(control(Control::Drive1));
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
    return static_cast<int>(message.wParam);
}

void Form1Window::raise(Control control, Event event, int row) {
    if (raising_) {
        waiting_.push_back({control, event, row});
        return;
    }
    struct Raising {
        Form1Window& self;
        explicit Raising(Form1Window& self) : self(self) { self.raising_ = true; }
        ~Raising() {
            self.raising_ = false;
            self.waiting_.clear();
        }
    } raising(*this);
    input_.raise(control, event, row);
    while (!waiting_.empty() && window_) {
        const Pending next = waiting_.front();
        waiting_.pop_front();
        input_.raise(next.control, next.event, next.row);
    }
    if (window_) update();
}

// Events from the controls run once the control is done with the message
// that caused them: a box they show must not open inside a click.
void Form1Window::post(Control control, Event event, int row) {
    PostMessageW(window_, raiseMessage, MAKEWPARAM(static_cast<WORD>(control), static_cast<WORD>(event)), row);
}

// Picking a drive, even the one already picked, is one Change; a list that
// reports the pick twice still raises it once.
void Form1Window::postDrivePick(int index, bool again) {
    if (index < 0 || index == pendingDrivePick_) return;
    if (!again && index == lists_.drive1().listIndex()) return;
    pendingDrivePick_ = index;
    PostMessageW(window_, pickDriveMessage, static_cast<WPARAM>(index), 0);
}

void Form1Window::command(int id, int code) {
    HWND focus = GetFocus();
    if (id == IDOK) {  // Return or Enter, as the dialog keys deliver it
        if (focus == control(Control::Dir1)) {
            const int row = static_cast<int>(SendMessageW(focus, LB_GETCURSEL, 0, 0));
            if (row >= 0) post(Control::Dir1, Event::Change, row);
        } else if (focus && GetParent(focus) == window_ && focus != control(Control::Drive1) &&
                   focus != control(Control::File1)) {
            SendMessageW(focus, BM_CLICK, 0, 0);
        }
        return;
    }
    if (id < firstId || id > idOf(Control::Command7)) return;
    const auto source = static_cast<Control>(id - firstId);
    HWND sender = control(source);
    switch (source) {
    case Control::Drive1:
        if (code == CBN_DROPDOWN) raise(Control::Drive1, Event::DropDown, -1);
        if (code == CBN_SELENDOK) postDrivePick(static_cast<int>(SendMessageW(sender, CB_GETCURSEL, 0, 0)), true);
        // Arrow keys on the closed list pick without a CBN_SELENDOK.
        if (code == CBN_SELCHANGE && !SendMessageW(sender, CB_GETDROPPEDSTATE, 0, 0))
            postDrivePick(static_cast<int>(SendMessageW(sender, CB_GETCURSEL, 0, 0)), false);
        return;
    case Control::Dir1:
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
            const int row = static_cast<int>(SendMessageW(sender, LB_GETCURSEL, 0, 0));
            if (row >= 0) post(Control::Dir1, code == LBN_DBLCLK ? Event::Change : Event::Highlight, row);
        }
        return;
    case Control::File1:
        // A double click has selected already: it does nothing more.
        if (code == LBN_SELCHANGE)
            post(Control::File1, Event::Select, static_cast<int>(SendMessageW(sender, LB_GETCURSEL, 0, 0)));
        return;
    default:
        if (code == BN_CLICKED) post(source, Event::Click, -1);
        return;
    }
}

void Form1Window::update() {
    const browse::DriveList& drives = lists_.drive1();
    HWND drive1 = control(Control::Drive1);
    if (drives.drives() != shownDrives_) {
        SendMessageW(drive1, CB_RESETCONTENT, 0, 0);
        for (const platform::Drive& drive : drives.drives())
            SendMessageW(drive1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(driveRowText(drive)).c_str()));
        shownDrives_ = drives.drives();
    }
    if (SendMessageW(drive1, CB_GETCURSEL, 0, 0) != drives.listIndex())
        SendMessageW(drive1, CB_SETCURSEL, static_cast<WPARAM>(drives.listIndex()), 0);

    const browse::DirList& dirs = lists_.dir1();
    HWND dir1 = control(Control::Dir1);
    if (shownDirGeneration_ != dirs.generation()) {
        SendMessageW(dir1, LB_SETCOUNT, static_cast<WPARAM>(dirs.rowCount()), 0);
        InvalidateRect(dir1, nullptr, TRUE);
        shownDirGeneration_ = dirs.generation();
    }
    const int dirRow = dirs.rowOf(dirs.listIndex());
    if (SendMessageW(dir1, LB_GETCURSEL, 0, 0) != dirRow)
        SendMessageW(dir1, LB_SETCURSEL, static_cast<WPARAM>(dirRow), 0);

    const browse::FileList& files = lists_.file1();
    HWND file1 = control(Control::File1);
    if (shownFileGeneration_ != files.generation()) {
        SendMessageW(file1, LB_SETCOUNT, static_cast<WPARAM>(files.listCount()), 0);
        InvalidateRect(file1, nullptr, TRUE);
        shownFileGeneration_ = files.generation();
    }
    if (SendMessageW(file1, LB_GETCURSEL, 0, 0) != files.listIndex())
        SendMessageW(file1, LB_SETCURSEL, static_cast<WPARAM>(files.listIndex()), 0);
}

void Form1Window::draw(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    if (item.itemAction == ODA_FOCUS) {
        DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    const HGDIOBJ old = SelectObject(item.hDC, windowFont_);
    const auto scaled = [this](int pixels) { return MulDiv(pixels, static_cast<int>(dpi_), 96); };
    RECT text = item.rcItem;
    text.left += scaled(2);
    std::string shown;
    const int row = static_cast<int>(item.itemID);
    if (item.CtlID == static_cast<UINT>(idOf(Control::Dir1))) {
        const browse::DirList& dirs = lists_.dir1();
        const int index = dirs.indexOfRow(row);
        if (dirs.hasEntry(index)) {  // a row the control has not dropped yet is drawn empty
            text.left += dirRowIndent(dirs, row) * scaled(8);
            drawFolder(item.hDC, text.left, item.rcItem, index < 0, dpi_);
            text.left += scaled(20);
            shown = dirRowText(dirs, row);
        }
    } else {
        shown = fileRowText(lists_.file1(), row);
    }
    const std::wstring line = wide(shown);
    DrawTextW(item.hDC, line.c_str(), static_cast<int>(line.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(item.hDC, old);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void Form1Window::paintBanner() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (banner_) {
        // Unscaled: what lies past the right edge is cut off.
        BITMAP bitmap;
        GetObjectW(banner_, sizeof bitmap, &bitmap);
        HDC memory = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(memory, banner_);
        BitBlt(dc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(window_, &paint);
}

LRESULT CALLBACK Form1Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case raiseMessage:
        raise(static_cast<Control>(LOWORD(wParam)), static_cast<Event>(HIWORD(wParam)), static_cast<int>(lParam));
        return 0;
    case pickDriveMessage:
        pendingDrivePick_ = -1;
        raise(Control::Drive1, Event::Change, static_cast<int>(wParam));
        return 0;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(itemHeight_);
        return TRUE;
    case WM_DRAWITEM:
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
        return 1;
    }
    case WM_PAINT:
        paintBanner();
        return 0;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), labelText);
        SetBkColor(reinterpret_cast<HDC>(wParam),
                   RGB(form_.backgroundRed, form_.backgroundGreen, form_.backgroundBlue));
        return reinterpret_cast<LRESULT>(background_);
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(background_);
    case WM_ACTIVATE:
        // The focus comes back to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window, focus)) lastFocus_ = focus;
        } else {
            SetFocus(lastFocus_ ? lastFocus_ : control(Control::Drive1));
        }
        return 0;
    case WM_DESTROY:
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
