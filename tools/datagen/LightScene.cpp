#include "LightScene.h"

#include "MagickBridge.h"

#include <wand/MagickWand.h>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

QPainterPath ridge(double s, double left, double c1x, double c1y, double c2x, double c2y, double right) {
    QPainterPath path;
    path.moveTo(0, left * s);
    path.cubicTo(c1x * s, c1y * s, c2x * s, c2y * s, s, right * s);
    path.lineTo(s, s);
    path.lineTo(0, s);
    path.closeSubpath();
    return path;
}

void cloud(QPainter& p, double s, double fx, double fy, double width) {
    QRadialGradient puff(QPointF(0, 0), 1.0);
    puff.setColorAt(0.0, QColor(250, 250, 248, 210));
    puff.setColorAt(1.0, QColor(250, 250, 248, 0));
    p.save();
    p.translate(fx * s, fy * s);
    p.scale(width * s, width * s * 0.32);
    p.setBrush(puff);
    p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    p.restore();
}

} // namespace

QImage drawLightScene(int size) {
    const double s = size;
    QImage scene(size, size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&scene);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    QLinearGradient sky(0, 0, 0, s * 0.62);
    sky.setColorAt(0.0, QColor(118, 156, 198));
    sky.setColorAt(1.0, QColor(226, 226, 214));
    p.fillRect(scene.rect(), sky);
    cloud(p, s, 0.28, 0.18, 0.22);
    cloud(p, s, 0.72, 0.27, 0.16);

    p.setBrush(QColor(138, 152, 172));
    p.drawPath(ridge(s, 0.52, 0.2, 0.3, 0.45, 0.55, 0.44));
    p.setBrush(QColor(124, 150, 112));
    p.drawPath(ridge(s, 0.6, 0.35, 0.5, 0.65, 0.68, 0.56));

    QLinearGradient water(0, s * 0.66, 0, s * 0.78);
    water.setColorAt(0.0, QColor(176, 196, 210));
    water.setColorAt(1.0, QColor(120, 146, 166));
    p.setBrush(water);
    p.drawRect(QRectF(0, s * 0.66, s, s * 0.12));

    QLinearGradient meadow(0, s * 0.74, 0, s);
    meadow.setColorAt(0.0, QColor(128, 150, 82));
    meadow.setColorAt(1.0, QColor(78, 96, 52));
    p.setBrush(meadow);
    p.drawPath(ridge(s, 0.8, 0.3, 0.74, 0.7, 0.8, 0.76));

    p.setBrush(QColor(84, 64, 48));
    p.drawRect(QRectF(s * 0.755, s * 0.56, s * 0.03, s * 0.22));
    p.setBrush(QColor(62, 98, 62));
    p.drawEllipse(QPointF(s * 0.77, s * 0.5), s * 0.1, s * 0.12);
    p.setBrush(QColor(84, 120, 72));
    p.drawEllipse(QPointF(s * 0.74, s * 0.46), s * 0.06, s * 0.07);
    p.end();
    return scene.convertToFormat(QImage::Format_ARGB32);
}

QImage composeLight(const QImage& scene, const QString& overlayPath, int composeOp) {
    MagickWand* picture = raster2magick(scene);
    MagickWand* overlay = NewMagickWand();
    QImage result;
    if (MagickGetNumberImages(picture) > 0 &&
        bitmap2magick(overlayPath, overlay, scene.width(), scene.height()) &&
        MagickCompositeImage(picture, overlay, CompositeOperator(composeOp), 0, 0) == MagickTrue)
        result = magick2raster(picture, "composeLight");
    DestroyMagickWand(overlay);
    DestroyMagickWand(picture);
    return result;
}
