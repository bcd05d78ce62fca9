#pragma once

#include "window/form_description.h"

#include <QFont>

class QPushButton;

namespace window {

// Where Comic Sans MS is missing, Comic Neue stands in, then the sans face.
void installFontStandIns();

QFont fontFor(const FontDescription& description);

// The width a button's style leaves for its caption.
int captionWidth(const QPushButton& button);
// The button's font where its caption fits, else the largest smaller size at
// which it does, so that no caption is clipped whatever face stands in.
QFont fittedFont(const QPushButton& button);

}  // namespace window
