#include "window/win32/form1_drawing.h"

#include "form1_layout.h"

#include "platform/win32/wide_text.h"
#include "window/layout.h"

#include <commctrl.h>

namespace window {

using platform::Selected;

RowPainter::RowPainter()
    : folderEdge_(CreatePen(PS_SOLID, 1, RGB(128, 96, 0))), folderFill_(CreateSolidBrush(RGB(248, 208, 96))) {}

// A small folder: open for the directory and its ancestors, closed below.
void RowPainter::drawFolder(HDC dc, int left, const RECT& row, bool open, UINT dpi) const {
    const auto scaled = [dpi](int pixels) { return scaledTo(dpi, pixels); };
    const int top = (row.top + row.bottom - scaled(10)) / 2;
    const Selected pen(dc, folderEdge_.get()), brush(dc, folderFill_.get());
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

void RowPainter::draw(const DRAWITEMSTRUCT& item, Control list, const Rows& rows, HFONT font, UINT dpi) const {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const int row = static_cast<int>(item.itemID);
    // The list with the keyboard shows its selection in full, another muted.
    const bool keyboard = GetFocus() == item.hwndItem;
    const bool selected = SendMessageW(item.hwndItem, LVM_GETITEMSTATE, item.itemID, LVIS_SELECTED) & LVIS_SELECTED;
    FillRect(item.hDC, &item.rcItem,
             GetSysColorBrush(!selected  ? COLOR_WINDOW
                              : keyboard ? COLOR_HIGHLIGHT
                                         : COLOR_BTNFACE));
    SetTextColor(item.hDC, GetSysColor(selected && keyboard ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    const Selected selectedFont(item.hDC, font);
    RECT text = item.rcItem;
    text.left += scaledTo(dpi, 2);
    if (row >= rows.count(list)) return;  // a row the control has not dropped yet stays empty
    if (list == Control::Dir1) {
        text.left += rows.indent(list, row) * scaledTo(dpi, dirIndentPixels);
        drawFolder(item.hDC, text.left, item.rcItem, rows.isOpenFolder(row), dpi);
        text.left += scaledTo(dpi, 20);
    }
    const std::wstring line = platform::fromUtf8(rows.text(list, row));
    DrawTextW(item.hDC, line.c_str(), static_cast<int>(line.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    // The keyboard's mark, once the keyboard cues show, as in the system's own lists.
    if (keyboard && (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        DrawFocusRect(item.hDC, &item.rcItem);
}

void drawListFocusMark(HWND list) {
    const bool focusedRow = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) >= 0;
    const bool cuesHidden = SendMessageW(list, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS;
    if (GetFocus() != list || focusedRow || cuesHidden) return;
    RECT client;
    GetClientRect(list, &client);
    InflateRect(&client, -1, -1);
    const platform::WindowDc dc(list);
    DrawFocusRect(dc.get(), &client);
}

void paintBanner(HWND window, HBITMAP banner, HBITMAP banner2x, UINT dpi) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const BannerDrawing drawing = bannerAt(dpi / 96.0);
    HBITMAP image = drawing.twiceImage ? banner2x : banner;
    if (image) {
        // From the top-left corner: what lies past the right edge is cut off.
        BITMAP bitmap;
        GetObjectW(image, sizeof bitmap, &bitmap);
        const platform::MemoryDc memory(CreateCompatibleDC(dc));
        const Selected selected(memory.get(), image);
        if (bitmap.bmWidth == drawing.width && bitmap.bmHeight == drawing.height) {
            BitBlt(dc, 0, 0, drawing.width, drawing.height, memory.get(), 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, 0, 0, drawing.width, drawing.height, memory.get(), 0, 0, bitmap.bmWidth, bitmap.bmHeight,
                       SRCCOPY);
        }
    }
    EndPaint(window, &paint);
}

}  // namespace window
