#include "FrameDesigns.h"
#include "FrameOverlay.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

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

// A card mount with rounded corners and a thin gold line around the window.
QImage roundedCard(const QColor& card, const QColor& line) {
    QImage overlay = blankOverlay();
    const QRectF window(120, 120, W - 240, H - 240);
    QPainterPath mount;
    mount.addRect(QRectF(0, 0, W, H));
    mount.addRoundedRect(window, 90, 90);
    mount.setFillRule(Qt::OddEvenFill);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(mount, card);
    p.setPen(QPen(line, 5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(window.adjusted(-28, -28, 28, 28), 110, 110);
    // The window's cut edge: a light bevel, then a soft shadow on the picture.
    p.setPen(QPen(QColor(255, 255, 255, 200), 4));
    p.drawRoundedRect(window.adjusted(-2, -2, 2, 2), 92, 92);
    for (int i = 0; i < 14; ++i) {
        p.setPen(QPen(QColor(0, 0, 0, 5 * (14 - i)), 2));
        p.drawRoundedRect(window.adjusted(i * 2, i * 2, -i * 2, -i * 2), 90 - i * 2, 90 - i * 2);
    }
    return overlay;
}

// A ship's porthole: a round window in a riveted brass ring on a dark hull.
QImage porthole() {
    QImage overlay = blankOverlay();
    const QPointF centre(W / 2, H / 2);
    const double radius = H * 0.4;
    fillOverlay(overlay, [&](double x, double y) -> Rgba {
        const double r = std::hypot(x - centre.x(), y - centre.y());
        if (r < radius - 1)
            return {0, 0, 0, 0.45 * std::pow(std::max(0.0, 1 - (radius - r) / 30), 2)};
        const double ring = radius + 70;
        if (r < ring) {
            // Brass ring: a rounded section lit from the top left.
            const double t = (r - radius) / 70;
            const double angle = std::atan2(y - centre.y(), x - centre.x());
            const double facing = std::cos(angle + 2.36) * (t < 0.5 ? 1 : -1);
            const double v = 0.75 + 0.35 * facing * std::sin(t * 3.14159) + 0.15 * std::sin(t * 3.14159);
            const double a = std::clamp(r - radius + 1, 0.0, 1.0);
            return {196 * v, 150 * v, 70 * v, a};
        }
        const double plate = fbm(x / 200, y / 200, 0, 4, 7);
        const double n = grain(int(x), int(y), 8) * 8;
        return {40 + 30 * plate + n, 50 + 30 * plate + n, 60 + 30 * plate + n, 1};
    });
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 12; ++i) {
        const double a = i * 3.14159 / 6;
        const QPointF at = centre + QPointF(std::cos(a), std::sin(a)) * (radius + 35);
        QRadialGradient g(at - QPointF(4, 4), 12);
        g.setColorAt(0, QColor(255, 236, 170));
        g.setColorAt(1, QColor(120, 80, 30));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(at, 11, 11);
    }
    return overlay;
}

// Pink card with a heart-shaped window; the cleft is shallow so the middle stays clear.
QImage heartWindow() {
    QImage overlay = blankOverlay();
    const QPointF centre(W / 2, 640);
    auto around = [&](double sx, double sy) {
        return QTransform()
            .translate(centre.x(), centre.y())
            .scale(sx, sy)
            .translate(-centre.x(), -centre.y());
    };
    const QPainterPath window = around(1.3, 1.0).map(heartPath(1120, 0.62).translated(centre));
    QPainterPath card;
    card.addRect(QRectF(0, 0, W, H));
    card = card.subtracted(window);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, W, H);
    g.setColorAt(0, QColor(250, 200, 214));
    g.setColorAt(1, QColor(236, 150, 180));
    p.fillPath(card, g);
    // The card's cut edge throws a soft shadow onto the picture.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 16; ++i) {
        p.setPen(QPen(QColor(120, 20, 50, 5 * (16 - i)), 2));
        p.drawPath(around(1 - i * 0.004, 1 - i * 0.004).map(window));
    }
    p.setPen(QPen(QColor(255, 255, 255, 230), 6, Qt::DashLine));
    p.drawPath(around(1.04, 1.04).map(window));
    return overlay;
}

// Stage curtains: red velvet drapes at the sides under a gathered valance.
QImage stage() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [&](double x, double y) -> Rgba {
        const double side = std::min(x, W - x);
        // The drapes hang in from the sides, held back toward the bottom.
        const double hang =
            150 + 110 * std::pow(std::max(0.0, (y - 300) / (H - 300)), 2) - 40 * std::pow(y / H, 0.5);
        const double valance = 120 + 26 * std::abs(std::sin(x / W * 3.14159 * 7));
        const bool drape = side < hang, top = y < valance;
        if (!drape && !top && y > H - 70) {
            // The stage floor's front edge.
            const double board = 0.8 + 0.2 * fbm(x / 300, y / 8, 0, 3, 5);
            const double a = std::clamp(y - (H - 70), 0.0, 1.0);
            return {120 * board, 80 * board, 46 * board, a};
        }
        if (!drape && !top)
            return {};
        const double folds = top ? std::sin(x / 22.0) : std::sin(side / 18.0 + y / 400.0);
        const double v = 0.55 + 0.45 * (0.5 + 0.5 * folds);
        const double edge = std::clamp(top ? valance - y : hang - side, 0.0, 1.0);
        const double fringe = top && valance - y < 14 ? 1.0 : 0.0;
        if (fringe > 0)
            return {230 * v, 180 * v, 60 * v, edge};
        return {170 * v, 20 * v, 30 * v, edge};
    });
    return overlay;
}

// An old television: a rounded screen in a walnut cabinet.
QImage television() {
    QImage overlay = blankOverlay();
    const QRectF screen(150, 110, W - 300, H - 220);
    QPainterPath cabinet;
    cabinet.addRect(QRectF(0, 0, W, H));
    cabinet.addRoundedRect(screen, 140, 140);
    cabinet.setFillRule(Qt::OddEvenFill);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wood(0, 0, 0, H);
    wood.setColorAt(0, QColor(110, 66, 34));
    wood.setColorAt(1, QColor(70, 40, 20));
    p.fillPath(cabinet, wood);
    // A bakelite bezel and the curved glass's dark rim.
    p.setPen(QPen(QColor(30, 28, 26), 26));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(screen.adjusted(-10, -10, 10, 10), 150, 150);
    for (int i = 0; i < 30; ++i) {
        p.setPen(QPen(QColor(0, 0, 0, 7 * (30 - i) / 2), 3));
        p.drawRoundedRect(screen.adjusted(i * 3, i * 3, -i * 3, -i * 3), 140 - i * 2, 140 - i * 2);
    }
    p.setPen(QPen(QColor(255, 255, 255, 40), 10));
    p.drawArc(QRectF(screen.left() + 30, screen.top() + 30, 500, 300), 100 * 16, 60 * 16);
    return overlay;
}

// A widescreen letterbox with sprocketed edges, as a cinema frame.
QImage letterbox() {
    QImage overlay = blankOverlay();
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor black(10, 10, 12);
    p.fillRect(QRectF(0, 0, W, 190), black);
    p.fillRect(QRectF(0, H - 190, W, 190), black);
    p.fillRect(QRectF(0, 0, 60, H), black);
    p.fillRect(QRectF(W - 60, 0, 60, H), black);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 236, 230));
    for (double x = 20; x + 34 < W; x += 64) {
        p.drawRoundedRect(QRectF(x, 40, 34, 46), 6, 6);
        p.drawRoundedRect(QRectF(x, H - 86, 34, 46), 6, 6);
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(34);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(230, 150, 50));
    p.drawText(QRectF(60, 110, W - 120, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("SCENE 12   TAKE 3"));
    p.drawText(QRectF(60, H - 170, W - 120, 60), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("35 MM  \u25B8  24 FPS"));
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
        {QStringLiteral("roundedcard"), QStringLiteral("Rounded Card"),
         [] { return roundedCard(QColor(34, 52, 78), QColor(214, 176, 96)); }},
        {QStringLiteral("porthole"), QStringLiteral("Porthole"), porthole},
        {QStringLiteral("heartwindow"), QStringLiteral("Heart Window"), heartWindow},
        {QStringLiteral("stage"), QStringLiteral("Stage"), stage},
        {QStringLiteral("television"), QStringLiteral("Television"), television},
        {QStringLiteral("letterbox"), QStringLiteral("Cinema"), letterbox},
    };
}

} // namespace FrameDesigns
