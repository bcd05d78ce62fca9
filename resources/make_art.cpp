// Draws the banner and the icon images and writes them as 256-colour PNGs.
// Run by hand when the art changes: make_art <resources folder>.

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace {

QImage toPalette(const QImage& image, Qt::ImageConversionFlags dithering) {
    return image.convertToFormat(QImage::Format_Indexed8, dithering);
}

// The banner at `scale` times its 343x82 pixels, drawn anew, not enlarged.
QImage banner(int scale) {
    QImage image(343 * scale, 82 * scale, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    QLinearGradient sky(0, 0, 0, 82);
    sky.setColorAt(0.0, QColor(38, 52, 140));
    sky.setColorAt(0.55, QColor(12, 10, 86));
    sky.setColorAt(0.8, QColor(3, 1, 48));
    sky.setColorAt(1.0, QColor(1, 0, 22));
    p.fillRect(QRect(0, 0, 343, 82), sky);

    QRandomGenerator stars(7);
    for (int i = 0; i < 60; ++i) {
        const int x = stars.bounded(343), y = stars.bounded(50);
        p.setPen(QColor(200, 210, 255, 90 + stars.bounded(150)));
        p.drawPoint(x, y);
    }

    // A row of packed crates on the dark ground, squeezed smaller to the right.
    for (int i = 0; i < 6; ++i) {
        const double size = 22 - i * 2.6;
        const QRectF crate(232 + i * 17.5, 70 - size, size, size);
        p.setPen(QPen(QColor(120, 78, 30), 1));
        p.setBrush(QColor(214, 156, 70));
        p.drawRect(crate);
        p.drawLine(crate.topLeft(), crate.bottomRight());
    }

    QFont title("Comic Neue");
    title.setPixelSize(38);
    title.setBold(true);
    QPainterPath text;
    text.addText(14, 46, title, "Quarvel 2.0");
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawPath(text.translated(2, 2));
    QLinearGradient gold(0, 14, 0, 46);
    gold.setColorAt(0, QColor(255, 236, 140));
    gold.setColorAt(1, QColor(236, 128, 30));
    p.setBrush(gold);
    p.setPen(QPen(QColor(90, 40, 0), 1));
    p.drawPath(text);

    QFont subtitle("Comic Neue");
    subtitle.setPixelSize(12);
    p.setFont(subtitle);
    p.setPen(QColor(170, 180, 230));
    p.drawText(QPointF(18, 66), "pack and unpack with ucc");
    p.end();
    return toPalette(image, Qt::DiffuseDither | Qt::PreferDither);
}

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // Small sizes stay crisp, and in few enough colours to keep them exact.
    p.setRenderHint(QPainter::Antialiasing, size >= 32);
    p.scale(size / 48.0, size / 48.0);

    // The page, with its corner folded.
    QPainterPath page;
    page.moveTo(8, 3);
    page.lineTo(30, 3);
    page.lineTo(40, 13);
    page.lineTo(40, 45);
    page.lineTo(8, 45);
    page.closeSubpath();
    QPen outline(QColor(40, 40, 70), 1.5);
    outline.setCosmetic(size < 32);  // at least one whole pixel wide when small
    if (size < 32) outline.setWidth(1);
    p.setPen(outline);
    p.setBrush(QColor(250, 250, 244));
    p.drawPath(page);
    p.setBrush(QColor(200, 206, 225));
    p.drawPolygon(QPolygonF({QPointF(30, 3), QPointF(30, 13), QPointF(40, 13)}));
    p.setPen(QPen(QColor(120, 130, 170), 2));
    for (int y = 18; y <= 38; y += 5) p.drawLine(13, y, 34, y);

    // A wrench and a hammer crossed in front of it.
    p.setPen(QPen(QColor(30, 30, 40), 1.2));
    p.save();
    p.translate(24, 30);
    p.rotate(-40);
    p.setBrush(QColor(170, 176, 190));
    p.drawRoundedRect(QRectF(-3, -4, 6, 22), 2, 2);
    QPainterPath jaw;
    jaw.addEllipse(QPointF(0, -8), 7, 7);
    jaw.addRect(QRectF(-2.2, -16, 4.4, 8));
    p.drawPath(jaw.simplified());
    p.restore();
    p.save();
    p.translate(26, 30);
    p.rotate(40);
    p.setBrush(QColor(160, 100, 45));
    p.drawRoundedRect(QRectF(-2.5, -6, 5, 22), 1.5, 1.5);
    p.setBrush(QColor(90, 96, 110));
    p.drawRoundedRect(QRectF(-9, -13, 18, 8), 1.5, 1.5);
    p.restore();
    p.end();
    return toPalette(image, Qt::ThresholdDither | Qt::ThresholdAlphaDither | Qt::AvoidDither);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? argv[1] : ".";
    bool written = banner(1).save(folder + "/banner.png") && banner(2).save(folder + "/banner@2x.png");
    for (int size : {16, 32, 48}) written = icon(size).save(folder + QString("/icon-%1.png").arg(size)) && written;
    return written ? 0 : 1;
}
