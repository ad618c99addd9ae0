#include "FrameDesigns.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace FrameKit;

namespace FrameDesigns {

namespace {

// Everything repeats symmetrically about the template's middle (x = 450), so the four corners,
// which see the strips turned by quarter turns, all cut a pattern at the same place.
double centredPhase(int period) {
    return std::fmod(kMiddle, double(period));
}

void fillBand(QPainter& p, int depth, const QColor& colour) {
    p.fillRect(QRect(0, 0, kTemplateSize, depth), colour);
}

// Film: black stock with sprocket holes (lit from behind) and an edge print.
QImage filmFrame() {
    constexpr int depth = 132, period = 42;
    const QColor stock(20, 20, 23);
    auto strip = [=](QImage& s, const SideLight&) {
        fillPixels(s, [&](int x, int d) -> Rgba {
            if (d >= depth)
                return {};
            const double g = (grain(x % kEdgeLength, d, 3) - 0.5) * 10;
            return {stock.red() + g, stock.green() + g, stock.blue() + g, 1.0};
        });
        QPainter p(&s);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        repeatAlong(p, period, centredPhase(period), [](QPainter& q) {
            QLinearGradient g(0, 16, 0, 46);
            g.setColorAt(0, QColor(236, 236, 228));
            g.setColorAt(1, QColor(200, 200, 192));
            q.setBrush(g);
            q.drawRoundedRect(QRectF(-11, 16, 22, 30), 4, 4);
        });
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(228, 142, 48, 220));
        repeatAlong(p, 210, centredPhase(210), [](QPainter& q) {
            q.drawText(QRectF(-100, 56, 200, 22), Qt::AlignCenter, QStringLiteral("LUMEN 400  \u25B8 24A"));
        });
        p.setPen(QPen(QColor(70, 70, 74), 2));
        p.drawLine(QPointF(0, depth - 14), QPointF(kTemplateSize, depth - 14));
        p.end();
        innerShadow(s, depth, 12, 0.55);
    };
    QImage frame = assembleMitred(strip);
    decorateCorners(frame, [&](QPainter& p, const SideLight&) {
        // Solid stock in the corner, ending between two holes, so no hole is cut by the mitre.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRect(0, 0, 176, depth - 20), stock);
        p.fillRect(QRect(0, 0, depth - 20, 176), stock);
        p.setPen(QPen(QColor(70, 70, 74), 2));
        p.drawLine(QPointF(depth - 15, depth - 15), QPointF(176, depth - 15));
        p.drawLine(QPointF(depth - 15, depth - 15), QPointF(depth - 15, 176));
    });
    return frame;
}

// A postage stamp: white paper whose outer edge is perforated.
QImage stampFrame() {
    constexpr int depth = 118, period = 30;
    const QColor paper(251, 249, 242), ink(186, 44, 52);
    auto strip = [=](QImage& s, const SideLight&) {
        fillPixels(s, [&](int xi, int di) -> Rgba {
            const double x = xi + 0.5, d = di + 0.5;
            if (d >= depth)
                return {};
            const double dx = std::fmod(x - kMiddle + period * 100.0, double(period)) - period / 2.0;
            const double r = std::sqrt(dx * dx + d * d);
            const double hole = std::clamp(r - 9.5, 0.0, 1.0); // perforation, soft edge
            if (hole <= 0)
                return {};
            const double fibre = (grain(xi % kEdgeLength, di, 9) - 0.5) * 8;
            Rgba c = rgba(paper, hole);
            c.r += fibre;
            c.g += fibre;
            c.b += fibre;
            // A printed double rule around the picture.
            const double line1 = smoothstep(84, 85, d) * (1 - smoothstep(89, 90, d));
            const double line2 = smoothstep(95, 96, d) * (1 - smoothstep(97, 98, d));
            const double ink1 = std::max(line1, line2);
            c.r = c.r * (1 - ink1) + ink.red() * ink1;
            c.g = c.g * (1 - ink1) + ink.green() * ink1;
            c.b = c.b * (1 - ink1) + ink.blue() * ink1;
            return c;
        });
        innerShadow(s, depth, 8, 0.35);
    };
    return assembleMitred(strip);
}

// A cream mount with two drawn rules and a bevelled window.
QImage doubleLineFrame() {
    constexpr int depth = 216;
    const QColor mat(238, 232, 216), rule(58, 72, 96), core(252, 250, 244);
    auto strip = [=](QImage& s, const SideLight& light) {
        fillPixels(s, [&](int xi, int di) -> Rgba {
            const double d = di + 0.5;
            if (di >= depth)
                return {};
            const double fibre = (fbm((xi % kEdgeLength) / 3.0, d / 3.0, 140, 2, 4) - 0.5) * 10;
            Rgba c = rgba(mat);
            double ink = smoothstep(60, 61, d) * (1 - smoothstep(63.5, 64.5, d)) +
                         smoothstep(71, 72, d) * (1 - smoothstep(73, 74, d));
            if (d > depth - 12) {
                // The bevel of the cut window catches the light on two sides.
                const double lit = light.across < 0 ? 1.08 : 0.86;
                c = rgba(scaled(core, lit));
                ink = 0;
            }
            return {c.r * (1 - ink) + rule.red() * ink + fibre, c.g * (1 - ink) + rule.green() * ink + fibre,
                    c.b * (1 - ink) + rule.blue() * ink + fibre, 1.0};
        });
        innerShadow(s, depth, 10, 0.4);
    };
    return assembleMitred(strip);
}

// Glazed tiles set in grout; each tile's colour repeats with the edge tile.
QColor mosaicColour(int column, int row, uint32_t seed) {
    static const QColor palette[] = {QColor(184, 84, 52),   QColor(34, 118, 128), QColor(214, 164, 60),
                                     QColor(236, 226, 200), QColor(40, 58, 110),  QColor(120, 150, 90)};
    Rng rng(seed * 7919u + uint32_t(column) * 131u + uint32_t(row) * 17u);
    const QColor base = palette[rng.below(6)];
    return scaled(base, rng.range(0.85, 1.12));
}

void drawMosaicTile(QPainter& p, const QRectF& cell, const QColor& colour, const SideLight& light) {
    QLinearGradient g(cell.topLeft(), cell.bottomRight());
    const bool litFromOuter = light.across < 0;
    g.setColorAt(0, scaled(colour, litFromOuter ? 1.2 : 0.9));
    g.setColorAt(1, scaled(colour, litFromOuter ? 0.85 : 1.1));
    p.setBrush(g);
    p.setPen(QPen(scaled(colour, 0.7), 1));
    p.drawRoundedRect(cell.adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
}

QImage mosaicFrame() {
    constexpr int tile = 30, rows = 5, depth = tile * rows;
    const QColor grout(120, 114, 104);
    auto strip = [=](QImage& s, const SideLight& light) {
        QPainter p(&s);
        fillBand(p, depth, grout);
        p.setRenderHint(QPainter::Antialiasing);
        // Tile edges fall on multiples of 30 from the template's edge (450 is one of them).
        for (int column = 0; column * tile < kTemplateSize; ++column)
            for (int row = 0; row < rows; ++row)
                drawMosaicTile(p, QRectF(column * tile, row * tile, tile, tile),
                               mosaicColour(column % (kEdgeLength / tile), row, 5), light);
        p.end();
        innerShadow(s, depth, 12, 0.45);
    };
    QImage frame = assembleMitred(strip);
    decorateCorners(frame, [=](QPainter& p, const SideLight& light) {
        // A square of its own tiles instead of a mitre through tiles.
        p.fillRect(QRect(0, 0, depth, depth), grout);
        for (int column = 0; column < rows; ++column)
            for (int row = 0; row < rows; ++row)
                drawMosaicTile(p, QRectF(column * tile, row * tile, tile, tile),
                               mosaicColour(column + 50, row, 9), light);
    });
    return frame;
}

} // namespace

QList<RegularFrame> patternFrames() {
    return {
        {QStringLiteral("Film Strip"), filmFrame},
        {QStringLiteral("Stamp"), stampFrame},
        {QStringLiteral("Double Line"), doubleLineFrame},
        {QStringLiteral("Mosaic"), mosaicFrame},
    };
}

} // namespace FrameDesigns
