#include "layout.h"

#include <cmath>
#include <map>

namespace window {

std::vector<Control> tabOrder(const FormDescription& form) {
    std::map<int, Control> byTabIndex;
    for (const ControlDescription& control : form.controls)
        if (control.kind != ControlClass::Label) byTabIndex.emplace(control.tabIndex, control.id);
    std::vector<Control> order;
    for (const auto& [tabIndex, id] : byTabIndex) order.push_back(id);
    return order;
}

double fittedPointSize(double pointSize, double room, const std::function<double(double pointSize)>& widthAt) {
    constexpr double step = 0.25, smallest = 4;
    double size = pointSize;
    while (size - step >= smallest && widthAt(size) > room) size -= step;
    return size;
}

BannerDrawing bannerAt(double scale) {
    if (scale <= 1) return {false, bannerWidth, bannerHeight};
    return {true, static_cast<int>(std::lround(bannerWidth * scale)),
            static_cast<int>(std::lround(bannerHeight * scale))};
}

}  // namespace window
