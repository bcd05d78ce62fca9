#pragma once

#include <cmath>

namespace window {

// 1440 twips make an inch: 15 twips a pixel at 96 dots per inch.
inline int twipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

}  // namespace window
