#pragma once

#include "platform/win32/owned.h"
#include "window/rows.h"

#include <windows.h>

namespace window {

// Draws Dir1's and File1's rows as the shared layer words them: the text,
// Dir1's indent and its open or closed folder. The folder's pen and brush
// are made once.
class RowPainter {
public:
    RowPainter();
    void draw(const DRAWITEMSTRUCT& item, Control list, const Rows& rows, HFONT font, UINT dpi) const;

private:
    void drawFolder(HDC dc, int left, const RECT& row, bool open, UINT dpi) const;
    platform::OwnedPen folderEdge_;
    platform::OwnedBrush folderFill_;
};

// A list with the keyboard but no row to mark shows the mark around itself.
void drawListFocusMark(HWND list);

// Paints the banner at the window's scale (see bannerAt): at 96 dpi pixel
// for pixel from `banner`, above that from `banner2x`.
void paintBanner(HWND window, HBITMAP banner, HBITMAP banner2x, UINT dpi);

}  // namespace window
