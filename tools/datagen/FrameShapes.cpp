#include "FrameDesigns.h"
#include "FrameOverlay.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace FrameKit;

namespace FrameDesigns {

namespace {

constexpr double W = kOverlayWidth, H = kOverlayHeight;

// Outside a soft ellipse the colour covers the picture; the blend zone is `softness` of the
// radius wide.
QImage softOval(const QColor& colour, double radiusX, double radiusY, double softness, uint32_t seed) {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [&](double x, double y) -> Rgba {
        const double dx = (x - W / 2) / (W * radiusX), dy = (y - H / 2) / (H * radiusY);
        const double e = std::sqrt(dx * dx + dy * dy);
        const double a = smoothstep(1.0 - softness, 1.0, e);
        if (a <= 0)
            return {};
        // A little grain keeps the blend from banding in 8 bits.
        const double n = (grain(int(x), int(y), seed) - 0.5) * 6;
        return {colour.red() + n, colour.green() + n, colour.blue() + n, a * colour.alphaF()};
    });
    return overlay;
}

// The instant print: a white card, wider at the bottom, the picture sunk slightly into it.
QImage instantPhoto() {
    const double left = 84, top = 84, right = W - 84, bottom = H - 250;
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [&](double x, double y) -> Rgba {
        const double inside = std::min({x - left, right - x, y - top, bottom - y});
        const double fibre = (fbm(x / 5, y / 5, 0, 2, 12) - 0.5) * 7;
        const double warm = y / H * 6;
        if (inside < 0) {
            const double a = std::clamp(-inside, 0.0, 1.0);
            return {246 + fibre - warm, 245 + fibre - warm, 238 + fibre - warm * 1.5, a};
        }
        // The print's edge throws a faint shadow onto the picture.
        const double shadow = 0.35 * std::pow(std::max(0.0, 1 - inside / 16), 2);
        return {0, 0, 0, shadow};
    });
    return overlay;
}

// A camera viewfinder: dark body around a rounded window, framing marks and readouts.
QImage viewfinder() {
    QImage overlay = blankOverlay();
    const QRectF window(70, 70, W - 140, H - 140);
    QPainterPath body;
    body.addRect(QRectF(0, 0, W, H));
    body.addRoundedRect(window, 48, 48);
    body.setFillRule(Qt::OddEvenFill);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(body, QColor(14, 14, 16, 236));
    // Darkening toward the window's edge, as through an eyepiece.
    for (int i = 0; i < 24; ++i) {
        p.setPen(QPen(QColor(0, 0, 0, 8 * (24 - i) / 3), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(window.adjusted(i * 3, i * 3, -i * 3, -i * 3), 48, 48);
    }
    p.setPen(QPen(QColor(255, 255, 255, 230), 7, Qt::SolidLine, Qt::SquareCap));
    const double m = 150, arm = 110;
    const QPointF corners[] = {{m, m}, {W - m, m}, {W - m, H - m}, {m, H - m}};
    for (const QPointF& c : corners) {
        const double sx = c.x() < W / 2 ? 1 : -1, sy = c.y() < H / 2 ? 1 : -1;
        p.drawLine(c, c + QPointF(sx * arm, 0));
        p.drawLine(c, c + QPointF(0, sy * arm));
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(46);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 30, 36));
    p.drawEllipse(QPointF(m + 40, m + 60), 16, 16);
    p.setPen(QColor(255, 255, 255, 235));
    p.drawText(QPointF(m + 70, m + 76), QStringLiteral("REC"));
    p.drawText(QRectF(W - m - 420, m + 30, 400, 60), Qt::AlignRight, QStringLiteral("00:12:48"));
    p.drawText(QRectF(m + 20, H - m - 90, 700, 60), Qt::AlignLeft, QStringLiteral("1/250   F5.6   ISO 200"));
    // Battery gauge.
    const QRectF battery(W - m - 150, H - m - 86, 110, 48);
    p.setPen(QPen(QColor(255, 255, 255, 235), 5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(battery);
    p.fillRect(QRectF(battery.right() + 3, battery.center().y() - 10, 9, 20), QColor(255, 255, 255, 235));
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRectF(battery.left() + 10 + i * 33, battery.top() + 10, 24, 28),
                   QColor(255, 255, 255, 235));
    return overlay;
}

// Paper torn away in the middle: a rough, fibrous edge with a shadow under it.
QImage tornPaper(const QColor& paper, double margin, uint32_t seed) {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [&](double x, double y) -> Rgba {
        const double inside = edgeDistance(x, y) - margin;
        const double rough =
            (fbm(x / 90, y / 90, 0, 4, seed) - 0.5) * 110 + (noise(x / 6, y / 6, 0, seed + 3) - 0.5) * 8;
        const double t = inside + rough;
        const double fibre = (fbm(x / 4, y / 4, 0, 2, seed + 9) - 0.5) * 10;
        if (t < 0)
            return {paper.red() + fibre, paper.green() + fibre, paper.blue() + fibre, 1.0};
        if (t < 7) {
            // The torn fringe is thinner paper: lighter and partly see-through.
            const double a = 1.0 - t / 7 * 0.7 - noise(x / 2, y / 2, 0, seed + 5) * 0.3;
            return {255, 255, 252, std::clamp(a, 0.0, 1.0)};
        }
        const double s = 0.38 * std::pow(std::max(0.0, 1 - (t - 7) / 22), 2);
        return {30, 24, 16, s};
    });
    return overlay;
}

} // namespace

QList<ArtisticFrame> shapeOverlays() {
    return {
        {QStringLiteral("ovalwhite"), QStringLiteral("Soft Oval"),
         [] { return softOval(QColor(252, 252, 250), 0.47, 0.45, 0.28, 1); }},
        {QStringLiteral("ovaldark"), QStringLiteral("Dark Oval"),
         [] { return softOval(QColor(12, 10, 14), 0.5, 0.48, 0.4, 2); }},
        {QStringLiteral("instant"), QStringLiteral("Instant Photo"), instantPhoto},
        {QStringLiteral("viewfinder"), QStringLiteral("Viewfinder"), viewfinder},
        {QStringLiteral("tornpaper"), QStringLiteral("Torn Paper"),
         [] { return tornPaper(QColor(248, 246, 238), 110, 41); }},
    };
}

} // namespace FrameDesigns
