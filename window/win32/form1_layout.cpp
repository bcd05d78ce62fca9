#include "window/win32/form1_layout.h"

#include "platform/win32/wide_text.h"
#include "window/layout.h"
#include "window/twips.h"

#include <commctrl.h>

#include <algorithm>

namespace window {

namespace {

using platform::OwnedFont;
using platform::Selected;

OwnedFont createFont(const FontDescription& font, double pointSize, UINT dpi) {
    const int height = -MulDiv(static_cast<int>(pointSize * 100 + 0.5), static_cast<int>(dpi), 7200);
    return OwnedFont(CreateFontW(height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 platform::fromUtf8(font.family).c_str()));
}

int textWidth(HDC dc, HFONT font, const std::wstring& text) {
    const Selected selected(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// A closed drop-down list is as high as its selection field: that is made as
// high as the table says. What a field of a given height adds around it
// differs between systems (Wine adds to the height it is given): measure,
// correct, measure again.
void fitComboHeight(HWND combo, int height) {
    LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int tries = 0; tries < 4; ++tries) {
        RECT rect;
        GetWindowRect(combo, &rect);
        if (rect.bottom - rect.top == height) return;
        field += height - (rect.bottom - rect.top);
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

}  // namespace

int rowHeightAt(HWND window, const FormDescription& form, UINT dpi) {
    const OwnedFont font = createFont(form.windowFont, form.windowFont.pointSize, dpi);
    const platform::WindowDc dc(window);
    const Selected selected(dc.get(), font.get());
    TEXTMETRICW metrics;
    GetTextMetricsW(dc.get(), &metrics);
    return std::max<int>(metrics.tmHeight + scaledTo(dpi, 2), scaledTo(dpi, 14));
}

Form1Fonts layOutForm1(HWND window, const FormDescription& form, const ControlHandles& controls, UINT dpi) {
    RECT frame{0, 0, twipsToPixels(form.clientWidth, dpi), twipsToPixels(form.clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, form1FrameStyle, FALSE, 0, dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    Form1Fonts fonts{createFont(form.windowFont, form.windowFont.pointSize, dpi),
                     createFont(form.buttonFont, form.buttonFont.pointSize, dpi),
                     {}};
    const platform::WindowDc dc(window);
    const int dropDownRows = 8 * rowHeightAt(window, form, dpi);
    for (const ControlDescription& control : form.controls) {
        HWND handle = controls[static_cast<size_t>(control.id)];
        const int x = twipsToPixels(control.left, dpi), y = twipsToPixels(control.top, dpi);
        const int width = twipsToPixels(control.width, dpi), height = twipsToPixels(control.height, dpi);
        const FontDescription& description = control.font == FontRole::Button ? form.buttonFont : form.windowFont;
        HFONT font = control.font == FontRole::Button ? fonts.button.get() : fonts.window.get();
        if (control.kind == ControlClass::CommandButton) {
            const std::wstring caption = platform::fromUtf8(control.caption);
            const double pointSize =
                fittedPointSize(description.pointSize, width - 2 * scaledTo(dpi, 6), [&](double size) {
                    const OwnedFont trial = createFont(description, size, dpi);
                    return static_cast<double>(textWidth(dc.get(), trial.get(), caption));
                });
            fonts.buttons.push_back(createFont(description, pointSize, dpi));
            font = fonts.buttons.back().get();
        }
        const bool combo = control.kind == ControlClass::DriveListBox;
        SetWindowPos(handle, nullptr, x, y, width, combo ? height + dropDownRows : height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (combo) fitComboHeight(handle, height);
    }
    return fonts;
}

void sizeColumn(HWND view, const Rows& rows, Control list, HFONT font, UINT dpi) {
    RECT client;
    GetClientRect(view, &client);
    const platform::WindowDc dc(view);
    const int widest = rows.widest(list, [&](const std::string& text, int indent) {
        const int before = list == Control::Dir1 ? indent * scaledTo(dpi, dirIndentPixels) + scaledTo(dpi, 20) : 0;
        return before + textWidth(dc.get(), font, platform::fromUtf8(text)) + scaledTo(dpi, 6);
    });
    SendMessageW(view, LVM_SETCOLUMNWIDTH, 0, std::max<int>(widest, client.right));
}

}  // namespace window
