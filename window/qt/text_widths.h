#pragma once

#include <QFont>
#include <QFontMetrics>
#include <array>
#include <string>

namespace window {

// How wide texts are in one font, measured fast enough for a few hundred
// names on every new list: plain ASCII as the sum of its characters' widths,
// each learnt the first time it is met, which is never narrower than the
// text drawn (kerning only draws letters closer); anything else shaped whole.
class TextWidths {
public:
    explicit TextWidths(const QFont& font) : font_(font), metrics_(font) { ascii_.fill(-1); }
    const QFont& font() const { return font_; }
    int of(const std::string& utf8);

private:
    QFont font_;
    QFontMetrics metrics_;
    std::array<int, 128> ascii_;  // -1: not yet measured
};

}  // namespace window
