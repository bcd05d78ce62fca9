#include "text_widths.h"

#include "qt_text.h"

namespace window {

int TextWidths::of(const std::string& utf8) {
    int width = 0;
    for (const char c : utf8) {
        const auto unit = static_cast<unsigned char>(c);
        if (unit < ' ' || unit >= 127) return metrics_.horizontalAdvance(qtText(utf8));
        if (ascii_[unit] < 0) ascii_[unit] = metrics_.horizontalAdvance(QChar(unit));
        width += ascii_[unit];
    }
    return width;
}

}  // namespace window
