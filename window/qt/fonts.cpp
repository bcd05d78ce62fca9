#include "fonts.h"

#include "qt_text.h"

#include "window/layout.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStringList>

namespace window {

void installFontStandIns() {
    if (QFont::substitutes("Comic Sans MS").isEmpty())
        QFont::insertSubstitutions("Comic Sans MS", QStringList{"Comic Neue", "Sans Serif"});
}

QFont fontFor(const FontDescription& description) {
    QFont font(qtText(description.family));
    font.setPointSizeF(description.pointSize);
    font.setWeight(static_cast<QFont::Weight>(description.weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

int captionWidth(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
}

QFont fittedFont(const QPushButton& button) {
    QFont fitted = button.font();
    fitted.setPointSizeF(fittedPointSize(fitted.pointSizeF(), captionWidth(button), [&](double pointSize) {
        QFont font = button.font();
        font.setPointSizeF(pointSize);
        return QFontMetricsF(font).horizontalAdvance(button.text());
    }));
    return fitted;
}

}  // namespace window
