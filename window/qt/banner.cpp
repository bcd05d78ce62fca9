#include "banner.h"

#include "window/layout.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace window {

// At 96 dpi pixel for pixel, so the last column lies past the edge.
void paintBanner(QWidget& widget) {
    const double scale = widget.devicePixelRatioF();
    const BannerDrawing banner = bannerAt(scale);
    const QPixmap image(banner.twiceImage ? ":/banner@2x.png" : ":/banner.png");  // decoded once, then cached by Qt
    QPainter painter(&widget);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(0, 0, banner.width / scale, banner.height / scale), image, QRectF(image.rect()));
}

}  // namespace window
