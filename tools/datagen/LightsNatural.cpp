#include "LightDesigns.h"
#include "LightPainting.h"

#include <wand/MagickWand.h>

#include <QLinearGradient>

namespace LightDesigns {

using namespace LightPaint;

namespace {

QImage sunFlare() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    const QPointF sun = at(0.18, 0.14);
    glow(p, sun, 700, QColor(255, 200, 120), 0.55);
    glow(p, sun, 200, QColor(255, 250, 235), 1.0);
    // Ghost reflections of the sun, strung along the line through the picture's centre.
    const QPointF centre = at(0.5, 0.5);
    const struct {
        double along;
        double radius;
        QColor colour;
        double strength;
    } ghosts[] = {{0.55, 40, QColor(120, 255, 160), 0.35},
                  {0.8, 70, QColor(255, 160, 80), 0.25},
                  {1.25, 30, QColor(120, 170, 255), 0.4},
                  {1.55, 110, QColor(255, 120, 200), 0.18},
                  {1.85, 55, QColor(255, 230, 140), 0.3}};
    for (const auto& ghost : ghosts) {
        const QPointF position = sun + (centre - sun) * ghost.along;
        glow(p, position, ghost.radius, ghost.colour, ghost.strength);
    }
    return image;
}

QImage sunRays() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    Rng rng(303);
    const QPointF origin = at(0.7, -0.08);
    rays(p, rng, origin, 26, 95, 165, 1500, QColor(255, 235, 180), 0.28);
    glow(p, origin, 520, QColor(255, 230, 170), 0.7);
    return image;
}

QImage goldenHaze() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    QLinearGradient haze(0, 0, 0, kOverlayHeight);
    haze.setColorAt(0.0, QColor(150, 105, 40));
    haze.setColorAt(0.55, QColor(70, 45, 15));
    haze.setColorAt(1.0, QColor(20, 12, 0));
    p.fillRect(image.rect(), haze);
    return image;
}

QImage morningMist() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient mist(0, 0, 0, kOverlayHeight);
    mist.setColorAt(0.0, QColor(25, 28, 32));
    mist.setColorAt(0.55, QColor(120, 126, 132));
    mist.setColorAt(1.0, QColor(170, 176, 182));
    p.fillRect(image.rect(), mist);
    // Drifting banks, so the fog is not a flat gradient.
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    Rng rng(404);
    for (int i = 0; i < 10; ++i)
        glow(p, at(rng.range(0.0, 1.0), rng.range(0.55, 0.95)), rng.range(220, 420), QColor(90, 94, 98), 0.5,
             0.35);
    return image;
}

QImage warmBokeh() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    Rng rng(505);
    const QList<QColor> palette = {QColor(255, 200, 110), QColor(255, 170, 70), QColor(255, 225, 160)};
    bokeh(p, rng, QRectF(-60, -60, kOverlayWidth + 120, kOverlayHeight * 0.6), palette,
          {60, 25, 85, 0.2, 0.6});
    bokeh(p, rng, QRectF(-60, kOverlayHeight * 0.6, kOverlayWidth + 120, kOverlayHeight * 0.45), palette,
          {14, 20, 50, 0.1, 0.3});
    return image;
}

QImage windowLight() {
    QImage image = canvas(QColor(118, 118, 118));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Light through window panes: bright slanted panels, soft at their edges.
    p.translate(at(0.5, 0.5));
    p.rotate(-28);
    for (int i = -2; i <= 2; ++i) {
        QLinearGradient pane(i * 420 - 150, 0, i * 420 + 150, 0);
        pane.setColorAt(0.0, QColor(118, 118, 118, 0));
        pane.setColorAt(0.25, QColor(215, 205, 185));
        pane.setColorAt(0.75, QColor(215, 205, 185));
        pane.setColorAt(1.0, QColor(118, 118, 118, 0));
        p.fillRect(QRectF(i * 420 - 150, -1200, 300, 2400), pane);
    }
    return image;
}

QImage sunsetGlow() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    glow(p, at(0.5, 1.0), 1100, QColor(255, 110, 30), 0.75, 0.55);
    glow(p, at(0.62, 0.78), 150, QColor(255, 230, 170), 0.9);
    glow(p, at(0.5, 0.0), 900, QColor(120, 50, 110), 0.35, 0.5);
    return image;
}

QImage dappledLight() {
    QImage image = canvas(QColor(128, 128, 128));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(606);
    // Sun patches through leaves and the leaf shade between them.
    for (int i = 0; i < 70; ++i)
        glow(p, at(rng.uniform(), rng.uniform()), rng.range(60, 160), QColor(70, 78, 60), 0.55,
             rng.range(0.6, 1.0));
    for (int i = 0; i < 90; ++i)
        glow(p, at(rng.uniform(), rng.uniform()), rng.range(30, 110), QColor(255, 245, 200), 0.6,
             rng.range(0.6, 1.0));
    return image;
}

QImage moonlight() {
    QImage image = canvas(Qt::white);
    QPainter p(&image);
    vignette(p, QColor(200, 215, 245), QColor(60, 75, 120), 0.2);
    return image;
}

QImage springLight() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    glow(p, at(1.0, 0.0), 1000, QColor(200, 240, 110), 0.65);
    glow(p, at(0.92, 0.08), 320, QColor(255, 255, 210), 0.6);
    return image;
}

QImage warmVignette() {
    QImage image = canvas(Qt::white);
    QPainter p(&image);
    vignette(p, QColor(255, 250, 240), QColor(120, 60, 20), 0.35);
    return image;
}

QImage lensHaze() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    glow(p, at(0.5, 0.45), 950, QColor(200, 195, 185), 0.6, 0.8);
    glow(p, at(0.45, 0.4), 350, QColor(255, 250, 240), 0.35);
    return image;
}

} // namespace

QList<LightDesign> natural() {
    return {
        {QStringLiteral("sun_flare"), ScreenCompositeOp, sunFlare},
        {QStringLiteral("sun_rays"), ScreenCompositeOp, sunRays},
        {QStringLiteral("haze_golden"), ScreenCompositeOp, goldenHaze},
        {QStringLiteral("mist_morning"), ScreenCompositeOp, morningMist},
        {QStringLiteral("bokeh_warm"), ScreenCompositeOp, warmBokeh},
        {QStringLiteral("window_light"), SoftLightCompositeOp, windowLight},
        {QStringLiteral("glow_sunset"), ScreenCompositeOp, sunsetGlow},
        {QStringLiteral("dappled_light"), SoftLightCompositeOp, dappledLight},
        {QStringLiteral("moonlight"), MultiplyCompositeOp, moonlight},
        {QStringLiteral("spring_light"), ScreenCompositeOp, springLight},
        {QStringLiteral("vignette_warm"), MultiplyCompositeOp, warmVignette},
        {QStringLiteral("haze_lens"), ScreenCompositeOp, lensHaze},
    };
}

} // namespace LightDesigns
