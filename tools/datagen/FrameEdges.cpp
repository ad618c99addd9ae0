#include "FrameDesigns.h"
#include "FrameOverlay.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

using namespace FrameKit;

namespace FrameDesigns {

namespace {

constexpr double W = kOverlayWidth, H = kOverlayHeight;

// Paper burnt away toward the middle: charred rim, scorched brown, then the picture.
QImage burntEdges() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        const double t = edgeDistance(x, y) + (fbm(x / 120, y / 120, 0, 5, 3) - 0.5) * 150;
        if (t > 150)
            return {};
        if (t > 120) {
            // Scorch: a translucent brown haze fading into the picture.
            const double a = (150 - t) / 30 * 0.65;
            return {110, 60, 20, a};
        }
        if (t > 104)
            return {30, 18, 10, 1}; // the charred rim
        const double age = fbm(x / 40, y / 40, 0, 3, 9);
        return {226 - 40 * age, 200 - 50 * age, 150 - 50 * age, 1};
    });
    return overlay;
}

// Black paint swept around the edge with a dry brush.
QImage brushStrokes() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        // Bristle streaks run along the nearest edge.
        const bool horizontal = std::min(y, H - y) < std::min(x, W - x);
        const double along = horizontal ? x : y, across = horizontal ? y : x;
        const double streak = noise(along / 60, across / 2.5, 0, 11);
        const double reach =
            120 + (fbm(along / 90, across / 400, 0, 4, 13) - 0.5) * 120 + (streak - 0.5) * 60;
        const double a = 1 - smoothstep(reach - 18, reach + 2, edgeDistance(x, y));
        if (a <= 0)
            return {};
        const double v = 14 + 16 * streak;
        return {v, v, v + 2, a};
    });
    return overlay;
}

// Ice crystals growing in from the edges of a cold window.
QImage frost() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        const double crystals = fbm(x / 25, y / 25, 0, 5, 17);
        const double reach = 110 + crystals * 190;
        const double e = edgeDistance(x, y);
        const double a = std::clamp(1 - (e - 40) / reach, 0.0, 1.0);
        if (a <= 0)
            return {};
        const double sparkle = grain(int(x), int(y), 19) > 0.985 ? 30 : 0;
        return {214 + sparkle, 230 + sparkle * 0.6, 248, std::pow(a, 0.7) * 0.96};
    });
    return overlay;
}

// Soft white clouds all around a sky-blue edge.
QImage clouds() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        const double e = edgeDistance(x, y);
        const double puff = fbm(x / 220, y / 220, 0, 5, 23);
        const double cloud = smoothstep(0.0, 0.35, (1 - e / 230) + (puff - 0.5) * 0.9);
        const double sky = 1 - smoothstep(30, 120, e);
        const double a = std::max(cloud, sky);
        if (a <= 0.003)
            return {};
        const double shade = 0.88 + 0.12 * fbm(x / 60, y / 60, 0, 3, 29);
        const Rgba blue{150, 190, 236, 1}, white{255 * shade, 255 * shade, 255, 1};
        const double c = cloud / std::max(a, 1e-6);
        return {blue.r + (white.r - blue.r) * c, blue.g + (white.g - blue.g) * c,
                blue.b + (white.b - blue.b) * c, a};
    });
    return overlay;
}

// Long grass along the bottom, a leafy canopy along the top, green at the sides.
QImage meadow() {
    QImage overlay = blankOverlay();
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient side(0, 0, W, 0);
    side.setColorAt(0, QColor(40, 100, 40, 230));
    side.setColorAt(0.07, QColor(40, 100, 40, 0));
    side.setColorAt(0.93, QColor(40, 100, 40, 0));
    side.setColorAt(1, QColor(40, 100, 40, 230));
    p.fillRect(overlay.rect(), side);
    Rng rng(31);
    for (int i = 0; i < 900; ++i) {
        const double x = rng.range(-20, W + 20), h = rng.range(90, 300), lean = rng.range(-60, 60);
        QPainterPath blade;
        blade.moveTo(x - 6, H + 2);
        blade.quadTo(x + lean * 0.3, H - h * 0.5, x + lean, H - h);
        blade.quadTo(x + lean * 0.3 + 4, H - h * 0.5, x + 6, H + 2);
        p.fillPath(blade, mix(QColor(50, 110, 30), QColor(150, 190, 60), rng.uniform()));
    }
    for (int i = 0; i < 260; ++i) {
        const QPointF at(rng.range(-40, W + 40), rng.range(-40, 90));
        const double len = rng.range(50, 110);
        p.save();
        p.translate(at);
        p.rotate(rng.range(120, 240));
        p.fillPath(leafPath(len), mix(QColor(30, 90, 30), QColor(110, 170, 60), rng.uniform()));
        p.restore();
    }
    return overlay;
}

// Sea waves along the bottom with foam, a clear sky band above.
QImage waves() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        const double e = edgeDistance(x, y);
        const double crest = H - 170 - 30 * std::sin(x / W * 2 * kPi * 3) - 16 * std::sin(x / 70);
        if (y > crest) {
            const double depth = (y - crest) / 170;
            const double foam = (y - crest < 14) ? 1 - (y - crest) / 14 : 0;
            const double ripple = 0.85 + 0.15 * std::sin(x / 25 + y / 9);
            const double a = std::clamp(y - crest, 0.0, 1.0);
            return {(20 + 40 * (1 - depth)) * ripple + 235 * foam,
                    (100 + 60 * (1 - depth)) * ripple + 155 * foam,
                    (150 + 50 * (1 - depth)) * ripple + 100 * foam, a};
        }
        const double a = 1 - smoothstep(20, 90, e);
        if (a <= 0)
            return {};
        return {240, 248, 252, a * 0.95};
    });
    return overlay;
}

// A paper doily: lacy oval rim of petals and eyelets.
QImage doily() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        const double dx = (x - W / 2) / (W * 0.4), dy = (y - H / 2) / (H * 0.38);
        const double r = std::sqrt(dx * dx + dy * dy), angle = std::atan2(dy, dx);
        const double scallop = 1.0 + 0.035 * std::abs(std::sin(angle * 24));
        if (r < scallop)
            return {};
        double solid = std::clamp((r - scallop) * 300, 0.0, 1.0);
        // Two rings of eyelets.
        for (const auto& [ring, count] : {std::pair{1.09, 48.0}, std::pair{1.2, 64.0}}) {
            const double u = std::fmod(angle / (2 * kPi) * count + 100.5, 1.0) - 0.5;
            const double hole = std::hypot(u * 2 * kPi * ring / count * 600, (r - ring) * 600);
            solid *= std::clamp(hole - 9, 0.0, 1.0);
        }
        const double paper = 248 - grain(int(x), int(y), 31) * 6;
        return {paper, paper - 2, paper - 8, solid};
    });
    return overlay;
}

// A postcard: cream card, a stamp and a round postmark in the corner.
QImage postcard() {
    QImage overlay = blankOverlay();
    const QRectF window(90, 90, W - 180, H - 180);
    QPainterPath card;
    card.addRect(QRectF(0, 0, W, H));
    card.addRect(window);
    card.setFillRule(Qt::OddEvenFill);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(card, QColor(244, 236, 214));
    // Airmail stripes around the card's edge.
    p.save();
    p.setClipPath(card);
    for (int i = -20; i < 60; ++i) {
        QPolygonF stripe;
        const double x = i * 60;
        stripe << QPointF(x, 0) << QPointF(x + 30, 0) << QPointF(x + 30 - 40, 40) << QPointF(x - 40, 40);
        p.setPen(Qt::NoPen);
        p.setBrush(i % 2 ? QColor(200, 40, 50) : QColor(30, 60, 150));
        p.drawPolygon(stripe);
        p.drawPolygon(QTransform().translate(W, H).rotate(180).map(stripe));
        p.drawPolygon(QTransform().translate(0, H).rotate(-90).map(stripe));
        p.drawPolygon(QTransform().translate(W, 0).rotate(90).map(stripe));
    }
    p.restore();
    // The stamp, overlapping the picture's corner a little.
    const QRectF stamp(W - 290, 40, 200, 240);
    p.setBrush(QColor(250, 248, 240));
    p.setPen(Qt::NoPen);
    p.drawRect(stamp);
    p.setBrush(QColor(244, 236, 214));
    for (double t = stamp.left(); t <= stamp.right(); t += 20) {
        p.drawEllipse(QPointF(t, stamp.top()), 6, 6);
        p.drawEllipse(QPointF(t, stamp.bottom()), 6, 6);
    }
    for (double t = stamp.top(); t <= stamp.bottom(); t += 20) {
        p.drawEllipse(QPointF(stamp.left(), t), 6, 6);
        p.drawEllipse(QPointF(stamp.right(), t), 6, 6);
    }
    QLinearGradient art(stamp.topLeft(), stamp.bottomLeft());
    art.setColorAt(0, QColor(80, 150, 200));
    art.setColorAt(1, QColor(30, 90, 60));
    p.setBrush(art);
    p.drawRect(stamp.adjusted(22, 22, -22, -22));
    p.setBrush(QColor(250, 220, 120));
    p.drawEllipse(QPointF(stamp.center().x() + 30, stamp.top() + 70), 22, 22);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(34);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255));
    p.drawText(stamp.adjusted(22, 22, -22, -30), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("45"));
    p.setPen(QPen(QColor(40, 40, 60, 170), 5));
    p.setBrush(Qt::NoBrush);
    const QPointF mark(W - 390, 180);
    p.drawEllipse(mark, 90, 90);
    p.drawEllipse(mark, 66, 66);
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(mark.x() + 100, mark.y() - 40 + i * 20),
                   QPointF(mark.x() + 260, mark.y() - 40 + i * 20));
    return overlay;
}

// A black album page with the picture held by four paper photo corners.
QImage albumCorners() {
    QImage overlay = blankOverlay();
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF window(110, 110, W - 220, H - 220);
    QPainterPath page;
    page.addRect(QRectF(0, 0, W, H));
    page.addRect(window);
    page.setFillRule(Qt::OddEvenFill);
    p.fillPath(page, QColor(28, 26, 24));
    for (int i = 0; i < 10; ++i) {
        p.setPen(QPen(QColor(0, 0, 0, 8 * (10 - i)), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(window.adjusted(i * 2, i * 2, -i * 2, -i * 2));
    }
    const double size = 190;
    const QPointF corners[] = {window.topLeft(), window.topRight(), window.bottomRight(),
                               window.bottomLeft()};
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(corners[i]);
        p.rotate(90 * i);
        QPolygonF tab;
        tab << QPointF(-26, -26) << QPointF(size, -26) << QPointF(-26, size);
        QLinearGradient g(0, 0, size * 0.4, size * 0.4);
        g.setColorAt(0, QColor(236, 230, 214));
        g.setColorAt(1, QColor(200, 192, 172));
        p.setPen(QPen(QColor(150, 140, 120), 2));
        p.setBrush(g);
        p.drawPolygon(tab);
        p.restore();
    }
    return overlay;
}

// Dark corners and edges, as an old lens throws them, with rounded-corner darkness.
QImage vignetteRect() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        const double u = std::abs(x - W / 2) / (W / 2), v = std::abs(y - H / 2) / (H / 2);
        const double r = std::pow(std::pow(u, 6) + std::pow(v, 6), 1.0 / 6);
        const double a = smoothstep(0.62, 1.0, r);
        if (a <= 0)
            return {};
        const double n = (grain(int(x), int(y), 37) - 0.5) * 6;
        return {20 + n, 14 + n, 10 + n, std::min(1.0, a * 1.05)};
    });
    return overlay;
}

// An aged print: sepia border, creases and scratches, rounded corners.
QImage oldPhoto() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        const double e = edgeDistance(x, y);
        const double cx = std::max(0.0, std::max(70 - x, x - (W - 70))),
                     cy = std::max(0.0, std::max(70 - y, y - (H - 70)));
        const double cornerOut = std::hypot(cx, cy) - 70;
        if (cornerOut > 0)
            return {};
        const double stain = fbm(x / 160, y / 160, 0, 4, 41);
        if (e < 96) {
            const double crease = std::abs(std::sin((x * 0.8 + y * 0.6) / 230)) < 0.01 ? 0.85 : 1.0;
            const double v = (0.92 - 0.2 * stain) * crease;
            return {236 * v, 222 * v, 190 * v, std::clamp(-cornerOut, 0.0, 1.0)};
        }
        // The print itself yellows and darkens toward its edges.
        const double toward = 1 - smoothstep(96, 260, e);
        const double a = toward * (0.55 + (stain > 0.7 ? 0.15 : 0));
        return {120, 84, 40, a};
    });
    return overlay;
}

// Watercolour washes bleeding in from the edges, with a darker pigment rim.
QImage watercolour() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        const double e = edgeDistance(x, y) + (fbm(x / 140, y / 140, 0, 5, 47) - 0.5) * 180;
        const double a = 1 - smoothstep(140, 170, e);
        if (a <= 0)
            return {};
        const double hue = fbm(x / 400, y / 400, 0, 3, 53);
        const double rim = std::exp(-std::pow((e - 150) / 10, 2)) * 0.35;
        const QColor wash = mix(QColor(120, 170, 220), QColor(230, 150, 190), hue);
        const double paper = 0.92 + 0.08 * fbm(x / 6, y / 6, 0, 2, 59);
        return {wash.red() * paper * (1 - rim), wash.green() * paper * (1 - rim),
                wash.blue() * paper * (1 - rim), a};
    });
    return overlay;
}

} // namespace

QList<ArtisticFrame> edgeOverlays() {
    return {
        {QStringLiteral("burnt"), QStringLiteral("Burnt Edges"), burntEdges},
        {QStringLiteral("brushstrokes"), QStringLiteral("Brush Strokes"), brushStrokes},
        {QStringLiteral("frost"), QStringLiteral("Frost"), frost},
        {QStringLiteral("clouds"), QStringLiteral("Clouds"), clouds},
        {QStringLiteral("meadow"), QStringLiteral("Meadow"), meadow},
        {QStringLiteral("waves"), QStringLiteral("Waves"), waves},
        {QStringLiteral("doily"), QStringLiteral("Doily"), doily},
        {QStringLiteral("postcard"), QStringLiteral("Postcard"), postcard},
        {QStringLiteral("album"), QStringLiteral("Photo Album"), albumCorners},
        {QStringLiteral("vignette"), QStringLiteral("Vignette"), vignetteRect},
        {QStringLiteral("oldphoto"), QStringLiteral("Old Photo"), oldPhoto},
        {QStringLiteral("watercolour"), QStringLiteral("Watercolour"), watercolour},
    };
}

} // namespace FrameDesigns
