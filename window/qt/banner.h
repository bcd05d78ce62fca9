#pragma once

class QWidget;

namespace window {

// Paints the banner at the top-left of `widget`, at the widget's scale.
void paintBanner(QWidget& widget);

}  // namespace window
