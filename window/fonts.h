#pragma once

#include "form_description.h"

#include <QFont>

namespace window {

// Where Comic Sans MS is missing, Comic Neue stands in, then the sans face.
void installFontStandIns();

QFont fontFor(const FontDescription& description);

}  // namespace window
