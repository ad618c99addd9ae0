#include "LightDesigns.h"
#include "LightPainting.h"

#include <wand/MagickWand.h>

#include <algorithm>
#include <cmath>

namespace LightDesigns {

using namespace LightPaint;

namespace {

// Fills a grey picture of a quarter of the overlay's size from a function of the canvas
// fractions (0..1) and stretches it: these textures are soft, and a quarter of the pixels is
// a sixteenth of the work.
QImage softGrey(const std::function<double(double fx, double fy)>& levelAt) {
    const int w = kOverlayWidth / 4, h = kOverlayHeight / 4;
    QImage small(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y) {
        uchar* row = small.scanLine(y);
        for (int x = 0; x < w; ++x)
            row[x] = uchar(std::clamp(levelAt((x + 0.5) / w, (y + 0.5) / h), 0.0, 255.0));
    }
    return small.scaled(kOverlayWidth, kOverlayHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage darkVignette() {
    QImage image = canvas(Qt::white);
    QPainter p(&image);
    vignette(p, Qt::white, QColor(30, 30, 30), 0.3);
    return image;
}

QImage filmGrain() {
    return grain(70, 1.8, 11);
}

QImage dustSpecks() {
    // Old film: the dust comes with a faint lift of the blacks.
    QImage image = canvas(QColor(22, 22, 22));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(707);
    dust(p, rng, 420, 26, QColor(235, 235, 235));
    return image;
}

QImage filmScratches() {
    QImage image = canvas(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A worn print darkens towards its edges as well.
    vignette(p, Qt::white, QColor(185, 185, 185), 0.4);
    Rng rng(808);
    scratches(p, rng, 22, QColor(40, 40, 40));
    dust(p, rng, 160, 10, QColor(60, 60, 60));
    return image;
}

QImage lightVignette() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    vignette(p, Qt::black, QColor(215, 215, 215), 0.35);
    return image;
}

QImage spotlight() {
    QImage image = canvas(QColor(128, 128, 128));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    vignette(p, QColor(128, 128, 128), QColor(20, 20, 20), 0.15);
    glow(p, at(0.5, 0.42), 620, QColor(255, 255, 255), 0.7, 0.9);
    return image;
}

QImage paperTexture() {
    // Long soft fibres over a mottled sheet.
    return softGrey([](double fx, double fy) {
        const double mottle = FrameKit::fbm(fx * 12, fy * 9, 0, 4, 909);
        const double fibres = FrameKit::fbm(fx * 90, fy * 14, 0, 2, 919);
        return 128 + 90 * (mottle - 0.5) + 60 * (fibres - 0.5);
    });
}

QImage canvasWeave() {
    // One weave cell of threads over and under, tiled across the canvas.
    const int cell = 12;
    QImage tile(cell * 2, cell * 2, QImage::Format_Grayscale8);
    for (int y = 0; y < tile.height(); ++y) {
        uchar* row = tile.scanLine(y);
        for (int x = 0; x < tile.width(); ++x) {
            const bool warpOnTop = ((x / cell) + (y / cell)) % 2 == 0;
            const double along = warpOnTop ? (x % cell + 0.5) / cell : (y % cell + 0.5) / cell;
            const double across = warpOnTop ? (y % cell + 0.5) / cell : (x % cell + 0.5) / cell;
            // A thread is round across its width and dips where it passes under its neighbour.
            const double round = std::sin(M_PI * across);
            const double dip = 0.75 + 0.25 * std::sin(M_PI * along);
            row[x] = uchar(std::clamp(70 + 120 * round * dip, 0.0, 255.0));
        }
    }
    QImage image = canvas(QColor(128, 128, 128));
    QPainter p(&image);
    p.fillRect(image.rect(), QBrush(tile));
    return image;
}

QImage lightStreak() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.translate(at(0.55, 0.45));
    p.rotate(-38);
    glow(p, QPointF(0, 0), 1100, QColor(230, 230, 230), 0.75, 0.16);
    glow(p, QPointF(-250, 0), 700, QColor(255, 255, 255), 0.35, 0.08);
    return image;
}

QImage heavyGrain() {
    return grain(95, 2.2, 23);
}

QImage burntEdges() {
    return softGrey([](double fx, double fy) {
        const double edge = std::min(std::min(fx, 1 - fx) * 4.0 / 3.0, std::min(fy, 1 - fy));
        const double ragged = edge + 0.09 * (FrameKit::fbm(fx * 10, fy * 8, 0, 4, 1010) - 0.5);
        const double burn = FrameKit::smoothstep(0.0, 0.16, ragged);
        return 15 + 240 * burn;
    });
}

QImage silverBokeh() {
    QImage image = canvas(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    Rng rng(1111);
    const QList<QColor> palette = {QColor(255, 255, 255), QColor(200, 200, 200), QColor(150, 150, 150)};
    bokeh(p, rng, QRectF(-80, -80, kOverlayWidth + 160, kOverlayHeight + 160), palette,
          {48, 25, 110, 0.12, 0.5});
    return image;
}

} // namespace

QList<LightDesign> monochrome() {
    return {
        {QStringLiteral("vignette_dark"), MultiplyCompositeOp, darkVignette},
        {QStringLiteral("grain_fine"), OverlayCompositeOp, filmGrain},
        {QStringLiteral("dust"), ScreenCompositeOp, dustSpecks},
        {QStringLiteral("scratches"), MultiplyCompositeOp, filmScratches},
        {QStringLiteral("vignette_light"), ScreenCompositeOp, lightVignette},
        {QStringLiteral("spotlight"), OverlayCompositeOp, spotlight},
        {QStringLiteral("paper"), SoftLightCompositeOp, paperTexture},
        {QStringLiteral("canvas_weave"), SoftLightCompositeOp, canvasWeave},
        {QStringLiteral("streak"), ScreenCompositeOp, lightStreak},
        {QStringLiteral("grain_heavy"), OverlayCompositeOp, heavyGrain},
        {QStringLiteral("burnt_edges"), MultiplyCompositeOp, burntEdges},
        {QStringLiteral("bokeh_silver"), ScreenCompositeOp, silverBokeh},
    };
}

} // namespace LightDesigns
