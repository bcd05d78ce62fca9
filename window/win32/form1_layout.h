#pragma once

#include "form1_controls.h"

#include "platform/win32/owned.h"
#include "window/rows.h"

#include <vector>

namespace window {

inline constexpr DWORD form1FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Pixels at 96 dpi, at `dpi`.
inline int scaledTo(UINT dpi, int pixels) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

// The fonts the controls hold at one DPI: the window's, the buttons', and each
// button's own, fitted to its caption.
struct Form1Fonts {
    platform::OwnedFont window, button;
    std::vector<platform::OwnedFont> buttons;
};

// How high a list row is at `dpi`: its text in the window's font, and Dir1's
// folder. A list asks for it (WM_MEASUREITEM) whenever layOutForm1 resizes it.
int rowHeightAt(HWND window, const FormDescription& form, UINT dpi);

// Places and sizes the window and every control from the table's twips at
// `dpi`, fonts too: when the window is made, and when it moves to a monitor
// of another DPI. The caller keeps the fonts for as long as the controls use
// them.
Form1Fonts layOutForm1(HWND window, const FormDescription& form, const ControlHandles& controls, UINT dpi);

// The one column of a list is as wide as its widest row, so that the list
// scrolls sideways far enough to read any name whole.
void sizeColumn(HWND view, const Rows& rows, Control list, HFONT font, UINT dpi);

}  // namespace window
