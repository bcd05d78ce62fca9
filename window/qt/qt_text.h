#pragma once

#include <QString>
#include <string_view>

namespace window {

// UTF-8 text, as the shared layer words it, for Qt.
inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace window
