#pragma once

#include "window/form_description.h"

#include <windows.h>
#include <commctrl.h>

#include <array>

namespace window {

// The window's handles of its controls, by the control table's ids.
using ControlHandles = std::array<HWND, 11>;

inline constexpr wchar_t form1ClassName[] = L"Quarvel2Form1";
inline constexpr int firstControlId = 100;
inline int idOf(Control control) { return firstControlId + static_cast<int>(control); }

// Registers the window's class once, with the program's icon.
void registerForm1Class(HINSTANCE instance, WNDPROC procedure);

// Makes the table's controls as children of `window`, in tab order (the
// label, no stop, last), each at a place of no meaning yet: layOut() places
// them. Dir1 and File1 are virtual list-views drawn by the window, their
// keys handed to `listProcedure` first with `reference`.
ControlHandles createControls(HWND window, const FormDescription& form, SUBCLASSPROC listProcedure,
                              DWORD_PTR reference);

}  // namespace window
