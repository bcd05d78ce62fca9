#pragma once

#include "form_description.h"

#include <functional>
#include <vector>

namespace window {

// The controls the Tab key visits, in order: every control but the label.
std::vector<Control> tabOrder(const FormDescription& form);

// Captions: the table's point size where the caption fits in `room` pixels,
// else the largest smaller size in steps of a quarter point, down to 4 pt, at
// which it does; `widthAt` measures the caption at a size. A face standing in
// for the table's may run wider, and no caption is ever clipped.
double fittedPointSize(double pointSize, double room, const std::function<double(double pointSize)>& widthAt);

// Dir1 indents each level by this many pixels at 96 dpi.
inline constexpr int dirIndentPixels = 10;

// The banner is drawn from its top-left corner at the window's scale (1 at
// 96 dpi, 2 at 192): at 1 from the 1x image, pixel for pixel, so its last
// column lies past the client area's edge and is cut off; above 1 from the 2x
// image, scaled to `scale` times the 1x size.
struct BannerDrawing {
    bool twiceImage;    // from the 2x image
    int width, height;  // in device pixels
};
inline constexpr int bannerWidth = 343, bannerHeight = 82;  // the 1x image
BannerDrawing bannerAt(double scale);

}  // namespace window
