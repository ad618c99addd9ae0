#include "FrameOverlay.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace FrameKit {

using FrameDesigns::kOverlayHeight;
using FrameDesigns::kOverlayWidth;

QImage blankOverlay() {
    QImage overlay(kOverlayWidth, kOverlayHeight, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    return overlay;
}

void fillOverlay(QImage& overlay, const std::function<Rgba(double x, double y)>& colourAt) {
    for (int y = 0; y < overlay.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(overlay.scanLine(y));
        for (int x = 0; x < overlay.width(); ++x) {
            const Rgba c = colourAt(x + 0.5, y + 0.5);
            line[x] = c.a <= 0 ? 0 : premultipliedRgba(c.r, c.g, c.b, c.a);
        }
    }
}

double edgeDistance(double x, double y) {
    return std::min({x, y, kOverlayWidth - x, kOverlayHeight - y});
}

QList<QPointF> pointsNearEdges(Rng& rng, int count, double band) {
    QList<QPointF> points;
    while (points.size() < count) {
        const QPointF p(rng.range(-band * 0.2, kOverlayWidth + band * 0.2),
                        rng.range(-band * 0.2, kOverlayHeight + band * 0.2));
        if (edgeDistance(p.x(), p.y()) < band)
            points << p;
    }
    return points;
}

QPainterPath heartPath(double size, double notch) {
    const double s = size / 2;
    QPainterPath path;
    path.moveTo(0, s * 0.95);
    path.cubicTo(-s * 1.35, s * 0.05, -s * 0.9, -s * 1.1, 0, -s * notch);
    path.cubicTo(s * 0.9, -s * 1.1, s * 1.35, s * 0.05, 0, s * 0.95);
    return path;
}

QPainterPath leafPath(double length) {
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(length * 0.45, -length * 0.2, length * 0.4, -length * 0.8, 0, -length);
    path.cubicTo(-length * 0.4, -length * 0.8, -length * 0.45, -length * 0.2, 0, 0);
    return path;
}

QImage thumbnailScene(int size) {
    QImage scene(size, size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&scene);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size);
    sky.setColorAt(0, QColor(150, 162, 176));
    sky.setColorAt(0.6, QColor(206, 208, 206));
    sky.setColorAt(1, QColor(190, 188, 180));
    p.fillRect(scene.rect(), sky);
    QRadialGradient sun(QPointF(size * 0.66, size * 0.34), size * 0.12);
    sun.setColorAt(0, QColor(250, 246, 232));
    sun.setColorAt(1, QColor(250, 246, 232, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(size * 0.66, size * 0.34), size * 0.12, size * 0.12);
    QPainterPath far;
    far.moveTo(0, size * 0.66);
    far.cubicTo(size * 0.3, size * 0.48, size * 0.55, size * 0.62, size, size * 0.52);
    far.lineTo(size, size);
    far.lineTo(0, size);
    p.setBrush(QColor(132, 140, 138));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(0, size * 0.8);
    near.cubicTo(size * 0.35, size * 0.68, size * 0.7, size * 0.86, size, size * 0.74);
    near.lineTo(size, size);
    near.lineTo(0, size);
    p.setBrush(QColor(104, 110, 104));
    p.drawPath(near);
    return scene;
}

} // namespace FrameKit
