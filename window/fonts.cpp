#include "fonts.h"

#include <QStringList>

namespace window {

void installFontStandIns() {
    QFont::insertSubstitutions("Comic Sans MS", QStringList{"Comic Neue", "Sans Serif"});
}

QFont fontFor(const FontDescription& description) {
    QFont font(QString::fromUtf8(description.family.data(), static_cast<qsizetype>(description.family.size())));
    font.setPointSizeF(description.pointSize);
    font.setWeight(static_cast<QFont::Weight>(description.weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

}  // namespace window
