#include "FrameDesigns.h"
#include "FrameOverlay.h"

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

// A soft band of colour along the edges that fades out toward the middle.
void edgeGlow(QImage& overlay, const QColor& colour, double band, double softness, uint32_t seed) {
    fillOverlay(overlay, [&](double x, double y) -> Rgba {
        const double wobble = (fbm(x / 160, y / 160, 0, 3, seed) - 0.5) * band * 0.5;
        const double a = 1 - smoothstep(band - softness, band, edgeDistance(x, y) + wobble);
        if (a <= 0)
            return {};
        const double n = (grain(int(x), int(y), seed) - 0.5) * 5;
        return {colour.red() + n, colour.green() + n, colour.blue() + n, a};
    });
}

void drawHeart(QPainter& p, QPointF at, double size, double angle, const QColor& colour) {
    p.save();
    p.translate(at);
    p.rotate(angle);
    const QPainterPath heart = heartPath(size);
    p.fillPath(heart.translated(size * 0.04, size * 0.06), QColor(80, 0, 20, 60));
    QRadialGradient g(QPointF(-size * 0.18, -size * 0.2), size * 0.75);
    g.setColorAt(0, scaled(colour, 1.35));
    g.setColorAt(0.6, colour);
    g.setColorAt(1, scaled(colour, 0.7));
    p.setPen(QPen(QColor(255, 255, 255, 200), std::max(1.5, size * 0.04)));
    p.setBrush(g);
    p.drawPath(heart);
    p.restore();
}

QImage hearts() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(250, 214, 226), 150, 110, 3);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(77);
    const QColor tones[] = {QColor(226, 40, 80), QColor(240, 110, 150), QColor(200, 20, 60),
                            QColor(250, 160, 190)};
    for (const QPointF& at : pointsNearEdges(rng, 70, 190))
        drawHeart(p, at, rng.range(40, 120), rng.range(-30, 30), tones[rng.below(4)]);
    return overlay;
}

void drawSnowflake(QPainter& p, QPointF at, double radius, double angle, int alpha) {
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.setPen(QPen(QColor(255, 255, 255, alpha), std::max(1.5, radius * 0.09), Qt::SolidLine, Qt::RoundCap));
    for (int arm = 0; arm < 6; ++arm) {
        p.drawLine(QPointF(0, 0), QPointF(0, -radius));
        for (double t : {0.45, 0.7}) {
            const double b = radius * (1.0 - t) * 0.55;
            p.drawLine(QPointF(0, -radius * t), QPointF(b, -radius * t - b));
            p.drawLine(QPointF(0, -radius * t), QPointF(-b, -radius * t - b));
        }
        p.rotate(60);
    }
    p.restore();
}

QImage snow() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(232, 240, 252), 120, 100, 8);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    // A drift along the bottom, bluish in its hollows.
    QPainterPath drift;
    drift.moveTo(0, H - 210);
    drift.cubicTo(W * 0.18, H - 260, W * 0.3, H - 120, W * 0.5, H - 150);
    drift.cubicTo(W * 0.68, H - 175, W * 0.8, H - 280, W, H - 200);
    drift.lineTo(W, H);
    drift.lineTo(0, H);
    QLinearGradient g(0, H - 280, 0, H);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(214, 226, 244));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(drift);
    Rng rng(19);
    for (const QPointF& at : pointsNearEdges(rng, 60, 220))
        drawSnowflake(p, at, rng.range(14, 46), rng.range(0, 60), 230);
    for (const QPointF& at : pointsNearEdges(rng, 500, 260)) {
        const double r = rng.range(2, 7);
        p.setBrush(QColor(255, 255, 255, int(rng.range(140, 240))));
        p.drawEllipse(at, r, r);
    }
    return overlay;
}

void drawLeaf(QPainter& p, QPointF at, double length, double angle, const QColor& colour) {
    p.save();
    p.translate(at);
    p.rotate(angle);
    const QPainterPath leaf = leafPath(length);
    p.fillPath(leaf.translated(length * 0.05, length * 0.06), QColor(40, 20, 0, 70));
    QLinearGradient g(-length * 0.3, 0, length * 0.3, -length);
    g.setColorAt(0, scaled(colour, 0.75));
    g.setColorAt(1, scaled(colour, 1.2));
    p.setPen(QPen(scaled(colour, 0.6), 1.5));
    p.setBrush(g);
    p.drawPath(leaf);
    p.setPen(QPen(scaled(colour, 0.55), std::max(1.5, length * 0.025)));
    p.drawLine(QPointF(0, length * 0.15), QPointF(0, -length * 0.9));
    for (double t : {0.3, 0.5, 0.7}) {
        p.drawLine(QPointF(0, -length * t), QPointF(length * 0.2, -length * (t + 0.14)));
        p.drawLine(QPointF(0, -length * t), QPointF(-length * 0.2, -length * (t + 0.14)));
    }
    p.restore();
}

QImage autumnLeaves() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(120, 70, 30), 90, 85, 12);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(23);
    const QColor tones[] = {QColor(212, 92, 26), QColor(230, 160, 40), QColor(176, 40, 26),
                            QColor(150, 96, 40), QColor(200, 170, 60)};
    for (const QPointF& at : pointsNearEdges(rng, 190, 150))
        drawLeaf(p, at, rng.range(60, 140), rng.range(0, 360), tones[rng.below(5)]);
    return overlay;
}

QImage confetti() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(255, 250, 236), 110, 80, 41);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(43);
    const QColor tones[] = {QColor(240, 70, 90),  QColor(250, 200, 40), QColor(60, 170, 230),
                            QColor(110, 200, 90), QColor(170, 90, 220), QColor(250, 130, 40)};
    for (const QPointF& at : pointsNearEdges(rng, 520, 210)) {
        p.save();
        p.translate(at);
        p.rotate(rng.range(0, 180));
        const QColor c = tones[rng.below(6)];
        p.setPen(Qt::NoPen);
        p.setBrush(scaled(c, rng.range(0.85, 1.15)));
        if (rng.uniform() < 0.6)
            p.drawRect(QRectF(-10, -4, rng.range(14, 26), rng.range(6, 10)));
        else
            p.drawEllipse(QPointF(0, 0), 6, 6);
        p.restore();
    }
    return overlay;
}

void drawStar(QPainter& p, QPointF at, double radius, const QColor& colour) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? radius * 0.42 : radius, a = i * 3.14159265 / 5 - 3.14159265 / 2;
        const QPointF pt = at + QPointF(std::cos(a) * r, std::sin(a) * r);
        i ? star.lineTo(pt) : star.moveTo(pt);
    }
    star.closeSubpath();
    p.fillPath(star, colour);
}

// A night sky border: deep blue, scattered stars and a glow around the big ones.
QImage starryNight() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(16, 24, 70), 170, 120, 47);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(53);
    for (const QPointF& at : pointsNearEdges(rng, 700, 150)) {
        const double r = rng.range(1, 3.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 230, int(rng.range(120, 255))));
        p.drawEllipse(at, r, r);
    }
    for (const QPointF& at : pointsNearEdges(rng, 40, 140)) {
        const double r = rng.range(14, 34);
        QRadialGradient glow(at, r * 2);
        glow.setColorAt(0, QColor(255, 240, 170, 140));
        glow.setColorAt(1, QColor(255, 240, 170, 0));
        p.setBrush(glow);
        p.drawEllipse(at, r * 2, r * 2);
        drawStar(p, at, r, QColor(255, 226, 110));
    }
    return overlay;
}

QImage bubbles() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(170, 220, 240), 120, 100, 59);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(61);
    for (const QPointF& at : pointsNearEdges(rng, 90, 220)) {
        const double r = rng.range(16, 70);
        QRadialGradient film(at, r);
        film.setColorAt(0, QColor(255, 255, 255, 10));
        film.setColorAt(0.8, QColor(190, 230, 255, 60));
        film.setColorAt(0.93, QColor(255, 190, 240, 150));
        film.setColorAt(1, QColor(255, 255, 255, 200));
        p.setPen(Qt::NoPen);
        p.setBrush(film);
        p.drawEllipse(at, r, r);
        p.setBrush(QColor(255, 255, 255, 220));
        p.drawEllipse(at + QPointF(-r * 0.4, -r * 0.4), r * 0.16, r * 0.1);
    }
    return overlay;
}

void drawDaisy(QPainter& p, QPointF at, double radius, const QColor& petals, double angle) {
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.setPen(QPen(scaled(petals, 0.8), 1));
    p.setBrush(petals);
    for (int i = 0; i < 12; ++i) {
        p.drawEllipse(QRectF(-radius * 0.16, -radius, radius * 0.32, radius * 0.8));
        p.rotate(30);
    }
    QRadialGradient heart(QPointF(-radius * 0.08, -radius * 0.08), radius * 0.3);
    heart.setColorAt(0, QColor(255, 220, 80));
    heart.setColorAt(1, QColor(200, 130, 20));
    p.setBrush(heart);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(0, 0), radius * 0.28, radius * 0.28);
    p.restore();
}

QImage flowers() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(120, 170, 80), 90, 70, 67);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(71);
    for (const QPointF& at : pointsNearEdges(rng, 120, 120)) {
        p.save();
        p.translate(at);
        p.rotate(rng.range(0, 360));
        p.fillPath(leafPath(rng.range(40, 80)),
                   mix(QColor(60, 120, 40), QColor(120, 180, 70), rng.uniform()));
        p.restore();
    }
    const QColor tones[] = {QColor(255, 255, 255), QColor(250, 180, 200), QColor(200, 170, 240),
                            QColor(255, 240, 160)};
    for (const QPointF& at : pointsNearEdges(rng, 75, 150))
        drawDaisy(p, at, rng.range(30, 70), tones[rng.below(4)], rng.range(0, 30));
    return overlay;
}

// Out-of-focus city lights: soft discs of warm colour over a dark edge.
QImage bokeh() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(20, 14, 30), 200, 160, 73);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    Rng rng(79);
    const QColor tones[] = {QColor(255, 180, 60), QColor(255, 90, 120), QColor(120, 180, 255),
                            QColor(255, 230, 150)};
    for (const QPointF& at : pointsNearEdges(rng, 140, 230)) {
        const double r = rng.range(20, 75);
        QColor c = tones[rng.below(4)];
        QRadialGradient disc(at, r);
        c.setAlpha(int(rng.range(40, 90)));
        disc.setColorAt(0, c);
        disc.setColorAt(0.85, c);
        c.setAlpha(c.alpha() + 40);
        disc.setColorAt(0.95, c);
        c.setAlpha(0);
        disc.setColorAt(1, c);
        p.setPen(Qt::NoPen);
        p.setBrush(disc);
        p.drawEllipse(at, r, r);
    }
    return overlay;
}

void drawButterfly(QPainter& p, QPointF at, double size, double angle, const QColor& wing) {
    p.save();
    p.translate(at);
    p.rotate(angle);
    for (int side : {-1, 1}) {
        QRadialGradient g(QPointF(side * size * 0.4, -size * 0.2), size * 0.6);
        g.setColorAt(0, scaled(wing, 1.3));
        g.setColorAt(0.7, wing);
        g.setColorAt(1, QColor(30, 20, 20));
        p.setBrush(g);
        p.setPen(QPen(QColor(30, 20, 20), 2));
        p.drawEllipse(QRectF(side > 0 ? 0 : -size * 0.75, -size * 0.6, size * 0.75, size * 0.6));
        p.drawEllipse(QRectF(side > 0 ? 0 : -size * 0.5, -size * 0.05, size * 0.5, size * 0.45));
    }
    p.setBrush(QColor(30, 20, 20));
    p.drawEllipse(QRectF(-size * 0.05, -size * 0.5, size * 0.1, size * 0.85));
    p.restore();
}

QImage butterflies() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(236, 246, 226), 130, 100, 83);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(89);
    const QColor tones[] = {QColor(240, 140, 30), QColor(60, 120, 230), QColor(230, 60, 120),
                            QColor(250, 210, 40)};
    for (const QPointF& at : pointsNearEdges(rng, 34, 170))
        drawButterfly(p, at, rng.range(50, 110), rng.range(-40, 40), tones[rng.below(4)]);
    return overlay;
}

// Rain on a window: misted glass at the edges and beaded drops.
QImage raindrops() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(170, 186, 200), 160, 130, 97);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(101);
    for (const QPointF& at : pointsNearEdges(rng, 420, 230)) {
        const double r = rng.range(4, 18);
        const QRectF drop(at.x() - r, at.y() - r * 1.2, r * 2, r * 2.4);
        QLinearGradient g(drop.topLeft(), drop.bottomLeft());
        g.setColorAt(0, QColor(40, 50, 60, 120));
        g.setColorAt(1, QColor(255, 255, 255, 200));
        p.setPen(QPen(QColor(30, 40, 50, 90), 1.5));
        p.setBrush(g);
        p.drawEllipse(drop);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawEllipse(QPointF(at.x() - r * 0.35, at.y() - r * 0.5), r * 0.22, r * 0.22);
    }
    return overlay;
}

void drawBalloon(QPainter& p, QPointF at, double size, const QColor& colour) {
    QPainterPath string;
    string.moveTo(at + QPointF(0, size * 0.62));
    string.cubicTo(at + QPointF(-size * 0.2, size * 1.0), at + QPointF(size * 0.2, size * 1.3),
                   at + QPointF(0, size * 1.7));
    p.setPen(QPen(QColor(90, 90, 90, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(string);
    QRadialGradient g(at + QPointF(-size * 0.18, -size * 0.22), size * 0.7);
    g.setColorAt(0, scaled(colour, 1.45));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, scaled(colour, 0.65));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(at, size * 0.48, size * 0.6);
    QPolygonF knot;
    knot << at + QPointF(0, size * 0.58) << at + QPointF(-size * 0.07, size * 0.68)
         << at + QPointF(size * 0.07, size * 0.68);
    p.setBrush(scaled(colour, 0.7));
    p.drawPolygon(knot);
}

QImage balloons() {
    QImage overlay = blankOverlay();
    edgeGlow(overlay, QColor(230, 244, 255), 110, 90, 103);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(107);
    const QColor tones[] = {QColor(230, 40, 50), QColor(40, 120, 230), QColor(250, 200, 30),
                            QColor(40, 180, 90), QColor(230, 90, 200)};
    for (const QPointF& at : pointsNearEdges(rng, 44, 190))
        drawBalloon(p, at, rng.range(70, 150), tones[rng.below(5)]);
    return overlay;
}

// A string of coloured bulbs swagged along the top and down the sides of a fir garland.
QImage festiveLights() {
    QImage overlay = blankOverlay();
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(109);
    // Garland: needles around the whole edge.
    for (const QPointF& at : pointsNearEdges(rng, 5000, 90)) {
        const double a = rng.range(0, 360), len = rng.range(18, 40);
        p.save();
        p.translate(at);
        p.rotate(a);
        p.setPen(QPen(mix(QColor(16, 70, 30), QColor(60, 130, 60), rng.uniform()), 3, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(0, 0), QPointF(len, 0));
        p.restore();
    }
    const QColor tones[] = {QColor(255, 60, 60), QColor(255, 210, 60), QColor(60, 200, 255),
                            QColor(90, 230, 110)};
    auto bulbsAlong = [&](QPointF from, QPointF to, int count) {
        for (int i = 0; i < count; ++i) {
            const double t = (i + 0.5) / count;
            const QPointF at = from + (to - from) * t + QPointF(0, 0);
            const QColor c = tones[i % 4];
            QRadialGradient glow(at, 42);
            glow.setColorAt(0, QColor(c.red(), c.green(), c.blue(), 150));
            glow.setColorAt(1, QColor(c.red(), c.green(), c.blue(), 0));
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(at, 42, 42);
            QRadialGradient bulb(at - QPointF(4, 4), 16);
            bulb.setColorAt(0, QColor(255, 255, 240));
            bulb.setColorAt(1, c);
            p.setBrush(bulb);
            p.drawEllipse(at, 11, 16);
        }
    };
    bulbsAlong(QPointF(0, 50), QPointF(W, 50), 22);
    bulbsAlong(QPointF(0, H - 50), QPointF(W, H - 50), 22);
    bulbsAlong(QPointF(50, 80), QPointF(50, H - 80), 13);
    bulbsAlong(QPointF(W - 50, 80), QPointF(W - 50, H - 80), 13);
    return overlay;
}

// Gold glitter dusted thickly at the edges, thinning out inward.
QImage glitter() {
    QImage overlay = blankOverlay();
    fillOverlay(overlay, [](double x, double y) -> Rgba {
        const double e = edgeDistance(x, y) + (fbm(x / 100, y / 100, 0, 3, 113) - 0.5) * 80;
        const double density = 1 - smoothstep(40, 200, e);
        if (density <= 0)
            return {};
        const double g = grain(int(x), int(y), 127);
        const double fleck = g < density ? 1.0 : 0.0;
        const double base = density * density;
        const double bright = 0.7 + 0.6 * grain(int(x) / 2, int(y) / 2, 131);
        return {std::min(255.0, 210 * bright), std::min(255.0, 160 * bright), 60 * bright,
                std::clamp(std::max(base, fleck * 0.9), 0.0, 1.0)};
    });
    return overlay;
}

} // namespace

QList<ArtisticFrame> scatterOverlays() {
    return {
        {QStringLiteral("hearts"), QStringLiteral("Hearts"), hearts},
        {QStringLiteral("snow"), QStringLiteral("Snow"), snow},
        {QStringLiteral("leaves"), QStringLiteral("Autumn Leaves"), autumnLeaves},
        {QStringLiteral("confetti"), QStringLiteral("Confetti"), confetti},
        {QStringLiteral("stars"), QStringLiteral("Starry Night"), starryNight},
        {QStringLiteral("bubbles"), QStringLiteral("Bubbles"), bubbles},
        {QStringLiteral("flowers"), QStringLiteral("Daisies"), flowers},
        {QStringLiteral("bokeh"), QStringLiteral("City Lights"), bokeh},
        {QStringLiteral("butterflies"), QStringLiteral("Butterflies"), butterflies},
        {QStringLiteral("raindrops"), QStringLiteral("Raindrops"), raindrops},
        {QStringLiteral("balloons"), QStringLiteral("Balloons"), balloons},
        {QStringLiteral("festive"), QStringLiteral("Festive Lights"), festiveLights},
        {QStringLiteral("glitter"), QStringLiteral("Glitter"), glitter},
    };
}

} // namespace FrameDesigns
