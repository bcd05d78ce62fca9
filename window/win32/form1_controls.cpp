#include "window/win32/form1_controls.h"

#include "screen_reader_names.h"

#include "platform/win32/wide_text.h"
#include "resources/win32/resource_ids.h"
#include "window/layout.h"

#include <commctrl.h>

namespace window {

void registerForm1Class(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, form1ClassName, &windowClass)) return;
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
    windowClass.lpszClassName = form1ClassName;
    RegisterClassExW(&windowClass);
}

namespace {

HWND createControl(HWND window, const ControlDescription& control, SUBCLASSPROC listProcedure, DWORD_PTR reference) {
    const std::wstring caption = platform::fromUtf8(control.caption);
    const auto create = [&](DWORD exStyle, const wchar_t* kind, DWORD style) {
        return CreateWindowExW(exStyle, kind, caption.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(idOf(control.id))),
                               GetModuleHandleW(nullptr), nullptr);
    };
    switch (control.kind) {
    case ControlClass::DriveListBox: {
        HWND box = create(0, WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
        nameForScreenReaders(box, platform::fromUtf8(control.accessibleName));
        return box;
    }
    case ControlClass::DirListBox:
    case ControlClass::FileListBox: {
        // A virtual list: rows are drawn from the lists, so a million cost
        // nothing; their texts reach screen readers through LVN_GETDISPINFO.
        HWND list = create(WS_EX_CLIENTEDGE, WC_LISTVIEWW,
                           WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SINGLESEL |
                               LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER);
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, LVS_EX_DOUBLEBUFFER);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = 10;
        SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        SendMessageW(list, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(platform::fromUtf8(control.accessibleName).c_str()));
        SetWindowSubclass(list, listProcedure, static_cast<UINT_PTR>(control.id), reference);
        return list;
    }
    case ControlClass::CommandButton: return create(0, WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON);
    case ControlClass::Label: return create(0, WC_STATICW, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX);
    }
    return nullptr;
}

}  // namespace

ControlHandles createControls(HWND window, const FormDescription& form, SUBCLASSPROC listProcedure,
                              DWORD_PTR reference) {
    // The manifest asks for common controls 6: they are registered here.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    ControlHandles controls{};
    // Creation order is tab order; the label, no stop, comes last.
    for (Control id : tabOrder(form))
        for (const ControlDescription& control : form.controls)
            if (control.id == id)
                controls[static_cast<size_t>(id)] = createControl(window, control, listProcedure, reference);
    for (const ControlDescription& control : form.controls)
        if (control.kind == ControlClass::Label)
            controls[static_cast<size_t>(control.id)] = createControl(window, control, listProcedure, reference);
    return controls;
}

}  // namespace window
