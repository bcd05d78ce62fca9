#include "window/win32/form1_input.h"

#include "form1_drawing.h"

#include "platform/win32/wide_text.h"

namespace window {

namespace {

bool isList(Control control) { return control == Control::Dir1 || control == Control::File1; }

Modifiers modifiersNow() {
    return {(GetKeyState(VK_CONTROL) & 0x8000) != 0, (GetKeyState(VK_MENU) & 0x8000) != 0,
            ((GetKeyState(VK_LWIN) | GetKeyState(VK_RWIN)) & 0x8000) != 0};
}

WORD packed(Modifiers modifiers) {
    return static_cast<WORD>(modifiers.control | modifiers.alt << 1 | modifiers.meta << 2);
}

Modifiers unpacked(WORD bits) { return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0}; }

std::string utf8Of(char32_t c) {
    std::wstring units;
    if (c >= 0x10000) {
        units += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        units += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        units += static_cast<wchar_t>(c);
    }
    return platform::toUtf8(units);
}

}  // namespace

void Form1Input::post(Control control, Gesture gesture, int row) {
    PostMessageW(window_, gestureMessage, MAKEWPARAM(static_cast<WORD>(control), static_cast<WORD>(gesture)), row);
}

// One pick of a drive, even of the one shown, is one Change; a list that
// reports a pick twice still raises it once.
void Form1Input::postDrivePick(int row) {
    if (row < 0 || row == pendingDrivePick_) return;
    pendingDrivePick_ = row;
    post(Control::Drive1, PickDrive, row);
}

void Form1Input::command(int id, int code) {
    if (id == IDOK) {  // Return or Enter, as the dialog keys deliver it, to the control with the keyboard
        HWND focus = GetFocus();
        for (size_t i = 0; i < controls_.size(); ++i)
            if (focus && controls_[i] == focus) post(static_cast<Control>(i), Return, -1);
        return;
    }
    if (id < firstControlId || id > idOf(Control::Command7)) return;
    const auto source = static_cast<Control>(id - firstControlId);
    HWND sender = control(source);
    if (source == Control::Drive1) {
        if (code == CBN_DROPDOWN) presenter_.dropDown();
        // A pick from the open list ends in CBN_SELENDOK, the drive shown
        // too; the arrow keys on the closed list pick with CBN_SELCHANGE.
        if (code == CBN_SELENDOK || (code == CBN_SELCHANGE && !SendMessageW(sender, CB_GETDROPPEDSTATE, 0, 0)))
            postDrivePick(static_cast<int>(SendMessageW(sender, CB_GETCURSEL, 0, 0)));
        return;
    }
    if (!isList(source) && code == BN_CLICKED) post(source, Click, -1);
}

LRESULT Form1Input::notify(const NMHDR& header) {
    const auto source = static_cast<Control>(header.idFrom - firstControlId);
    if (header.idFrom < static_cast<UINT_PTR>(firstControlId) || !isList(source)) return 0;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::wstring text = platform::fromUtf8(presenter_.rows().text(source, item.iItem));
            lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
        }
        return 0;
    }
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED: {
        // A click unselects one row and selects another: one gesture, once the control is done.
        bool& pending = selectionPending_[static_cast<size_t>(source)];
        if (showing || pending) return 0;
        pending = true;
        post(source, SelectionChanged, -1);
        return 0;
    }
    case LVN_ODFINDITEMW: return -1;  // the control's own search: type-ahead is the presenter's
    case NM_DBLCLK: {
        const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (row >= 0) post(source, Activate, row);
        return 0;
    }
    default: return 0;
    }
}

void Form1Input::perform(WPARAM wParam, LPARAM lParam) {
    const auto source = static_cast<Control>(LOWORD(wParam));
    int row = static_cast<int>(lParam);
    switch (HIWORD(wParam)) {
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
    case Activate: presenter_.activate(source, row); return;
    case Click: presenter_.click(source); return;
    case Return: presenter_.key(source, Key::Return, "", {}, GetMessageTime()); return;
    }
}

void Form1Input::typed(WPARAM wParam, LPARAM lParam) {
    const std::string text = utf8Of(static_cast<char32_t>(lParam));
    presenter_.key(static_cast<Control>(LOWORD(wParam)), Key::Other, text, unpacked(HIWORD(wParam)),
                   static_cast<DWORD>(GetMessageTime()));
}

LRESULT CALLBACK Form1Input::listProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR reference) {
    auto& self = *reinterpret_cast<Form1Input*>(reference);
    if (message == WM_SETFOCUS) self.presenter_.focus(static_cast<Control>(id));
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        InvalidateRect(list, nullptr, TRUE);  // selection and mark anew
    if (message == WM_PAINT) {
        const LRESULT painted = DefSubclassProc(list, message, wParam, lParam);
        drawListFocusMark(list);
        return painted;
    }
    if (message != WM_CHAR) return DefSubclassProc(list, message, wParam, lParam);
    const auto unit = static_cast<wchar_t>(wParam);
    if (unit >= 0xD800 && unit <= 0xDBFF) {  // the first half of a character beyond the BMP
        self.highSurrogate_ = unit;
        return 0;
    }
    char32_t typed = unit;
    if (unit >= 0xDC00 && unit <= 0xDFFF && self.highSurrogate_)
        typed = 0x10000 + ((self.highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00);
    self.highSurrogate_ = 0;
    const Modifiers modifiers = modifiersNow();
    if (!typesText(utf8Of(typed), modifiers)) return DefSubclassProc(list, message, wParam, lParam);
    PostMessageW(self.window_, typedMessage, MAKEWPARAM(static_cast<WORD>(id), packed(modifiers)),
                 static_cast<LPARAM>(typed));
    return 0;
}

}  // namespace window
