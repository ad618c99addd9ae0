#include "FrameDesigns.h"
#include "FrameOverlay.h"

#include <QLinearGradient>
#include <QPainter>
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
    edgeGlow(overlay, QColor(120, 70, 30), 70, 60, 12);
    QPainter p(&overlay);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(23);
    const QColor tones[] = {QColor(212, 92, 26), QColor(230, 160, 40), QColor(176, 40, 26),
                            QColor(150, 96, 40), QColor(200, 170, 60)};
    for (const QPointF& at : pointsNearEdges(rng, 190, 150))
        drawLeaf(p, at, rng.range(60, 140), rng.range(0, 360), tones[rng.below(5)]);
    return overlay;
}

} // namespace

QList<ArtisticFrame> scatterOverlays() {
    return {
        {QStringLiteral("hearts"), QStringLiteral("Hearts"), hearts},
        {QStringLiteral("snow"), QStringLiteral("Snow"), snow},
        {QStringLiteral("leaves"), QStringLiteral("Autumn Leaves"), autumnLeaves},
    };
}

} // namespace FrameDesigns
