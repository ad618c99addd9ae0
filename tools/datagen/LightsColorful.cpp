#include "LightDesigns.h"
#include "LightPainting.h"

#include <wand/MagickWand.h>

#include <QLinearGradient>

#include <cmath>

namespace LightDesigns {

using namespace LightPaint;

namespace {

QImage amberLeak() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    glow(p, at(-0.05, 0.35), 900, QColor(255, 120, 30), 0.95, 1.1);
    glow(p, at(0.02, 0.75), 620, QColor(255, 60, 20), 0.8);
    glow(p, at(0.12, 0.2), 380, QColor(255, 210, 90), 0.6);
    return image;
}

QImage roseLeak() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    glow(p, at(1.02, -0.05), 1000, QColor(255, 70, 150), 0.9, 0.9);
    glow(p, at(0.85, 0.1), 460, QColor(255, 170, 200), 0.55);
    glow(p, at(1.0, 0.6), 420, QColor(190, 60, 255), 0.45);
    return image;
}

QImage rainbowArc() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    rainbow(p, at(0.62, 1.25), 1250, 170, 0.55);
    glow(p, at(0.9, 0.0), 500, QColor(255, 240, 210), 0.25);
    return image;
}

QImage partyBokeh() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    Rng rng(101);
    const QList<QColor> palette = {QColor(255, 80, 80),  QColor(255, 190, 60), QColor(90, 220, 255),
                                   QColor(200, 90, 255), QColor(90, 255, 140), QColor(255, 110, 200)};
    bokeh(p, rng, QRectF(-60, -60, kOverlayWidth + 120, kOverlayHeight * 0.55), palette,
          {55, 30, 95, 0.18, 0.6});
    bokeh(p, rng, QRectF(-60, kOverlayHeight * 0.55, kOverlayWidth + 120, kOverlayHeight * 0.5), palette,
          {18, 25, 70, 0.1, 0.35});
    return image;
}

QImage prismFlare() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    // A spectrum smeared across the frame, as light split by a prism held before the lens.
    p.save();
    p.translate(at(0.3, 0.5));
    p.rotate(-32);
    QLinearGradient band(0, -260, 0, 260);
    const QColor colours[] = {QColor(255, 40, 40),  QColor(255, 160, 30), QColor(240, 240, 60),
                              QColor(40, 230, 120), QColor(40, 120, 255), QColor(150, 50, 255)};
    band.setColorAt(0.0, Qt::black);
    for (int i = 0; i < 6; ++i)
        band.setColorAt(0.12 + i * 0.15, colours[i]);
    band.setColorAt(1.0, Qt::black);
    p.setBrush(band);
    p.setPen(Qt::NoPen);
    p.setOpacity(0.5);
    p.drawRect(QRectF(-1400, -260, 2800, 520));
    p.restore();
    glow(p, at(0.12, 0.85), 520, QColor(255, 255, 240), 0.35);
    return image;
}

QImage sunsetWash() {
    QImage image = canvas(QColor(128, 128, 128));
    QPainter p(&image);
    QLinearGradient wash(0, 0, 0, kOverlayHeight);
    wash.setColorAt(0.0, QColor(255, 150, 60));
    wash.setColorAt(0.5, QColor(225, 120, 120));
    wash.setColorAt(1.0, QColor(110, 70, 170));
    p.fillRect(image.rect(), wash);
    return image;
}

QImage splitTone() {
    QImage image = canvas(QColor(128, 128, 128));
    QPainter p(&image);
    QLinearGradient split(at(0.0, 0.0), at(1.0, 1.0));
    split.setColorAt(0.0, QColor(240, 150, 70));
    split.setColorAt(0.45, QColor(160, 132, 118));
    split.setColorAt(1.0, QColor(40, 140, 160));
    p.fillRect(image.rect(), split);
    return image;
}

QImage neonEdges() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    glow(p, at(-0.08, 0.5), 720, QColor(255, 30, 200), 0.9, 1.6);
    glow(p, at(1.08, 0.5), 720, QColor(30, 220, 255), 0.9, 1.6);
    glow(p, at(0.5, 1.1), 500, QColor(120, 60, 255), 0.5, 0.6);
    return image;
}

QImage fireLeak() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    glow(p, at(0.0, 1.05), 800, QColor(230, 40, 0), 0.85);
    glow(p, at(1.0, 1.05), 700, QColor(255, 120, 0), 0.75);
    glow(p, at(0.15, 0.95), 360, QColor(255, 220, 80), 0.6);
    return image;
}

QImage aurora() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    // Curtains: tall soft ellipses swaying across the upper half.
    for (int i = 0; i < 9; ++i) {
        const double fx = 0.05 + i * 0.115;
        const double fy = 0.18 + 0.08 * std::sin(i * 1.3);
        const QColor colour = i % 3 == 2 ? QColor(170, 80, 255) : QColor(60, 255, 150);
        glow(p, at(fx, fy), 260, colour, 0.45, 1.9);
    }
    return image;
}

QImage candyBokeh() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    Rng rng(202);
    const QList<QColor> palette = {QColor(255, 170, 200), QColor(180, 200, 255), QColor(255, 230, 170),
                                   QColor(200, 255, 220)};
    bokeh(p, rng, QRectF(-100, -100, kOverlayWidth + 200, kOverlayHeight + 200), palette,
          {26, 90, 190, 0.12, 0.4});
    return image;
}

QImage dualLeak() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    glow(p, at(-0.04, 0.3), 760, QColor(255, 130, 40), 0.85, 1.3);
    glow(p, at(1.04, 0.7), 760, QColor(40, 120, 255), 0.8, 1.3);
    return image;
}

QImage lilacHaze() {
    QImage image = canvas(QColor(128, 128, 128));
    QPainter p(&image);
    QLinearGradient haze(at(1.0, 0.0), at(0.0, 1.0));
    haze.setColorAt(0.0, QColor(235, 190, 120));
    haze.setColorAt(0.5, QColor(175, 140, 190));
    haze.setColorAt(1.0, QColor(130, 100, 200));
    p.fillRect(image.rect(), haze);
    return image;
}

} // namespace

QList<LightDesign> colorful() {
    return {
        {QStringLiteral("leak_amber"), ScreenCompositeOp, amberLeak},
        {QStringLiteral("leak_rose"), ScreenCompositeOp, roseLeak},
        {QStringLiteral("rainbow_arc"), ScreenCompositeOp, rainbowArc},
        {QStringLiteral("bokeh_party"), ScreenCompositeOp, partyBokeh},
        {QStringLiteral("prism_flare"), ScreenCompositeOp, prismFlare},
        {QStringLiteral("wash_sunset"), SoftLightCompositeOp, sunsetWash},
        {QStringLiteral("split_tone"), SoftLightCompositeOp, splitTone},
        {QStringLiteral("neon_edges"), ScreenCompositeOp, neonEdges},
        {QStringLiteral("leak_fire"), LinearDodgeCompositeOp, fireLeak},
        {QStringLiteral("aurora"), ScreenCompositeOp, aurora},
        {QStringLiteral("bokeh_candy"), ScreenCompositeOp, candyBokeh},
        {QStringLiteral("leak_dual"), ScreenCompositeOp, dualLeak},
        {QStringLiteral("haze_lilac"), OverlayCompositeOp, lilacHaze},
    };
}

} // namespace LightDesigns
