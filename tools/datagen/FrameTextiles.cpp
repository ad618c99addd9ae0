#include "FrameDesigns.h"
#include "FrameMoulding.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace FrameKit;

namespace FrameDesigns {

namespace {

// Twisted strands: a tube whose surface rises and falls along slanted strands.
double ropeHeight(double x, double d, double from, double width, double period) {
    if (d < from || d > from + width)
        return 0;
    const double tube = roundBead(d, from + width / 2, width / 2);
    const double s = std::fmod(x + (d - from) * 0.9 + period * 1000, period) / period;
    return tube * (0.72 + 0.28 * std::pow(std::sin(kPi * s), 0.6));
}

QImage rope() {
    constexpr int depth = 104;
    Moulding m;
    m.depth = depth;
    m.height = [](double x, double d) { return ropeHeight(x, d, 4, 96, 30); };
    m.surface = [](double x, double d) {
        if (d < 4)
            return Rgba{};
        // Fibres follow the strands; 210 cells of 2 pixels make one edge tile.
        const double fibre = fbm((x + d * 0.9) / 2.0, d / 6, kEdgeLength / 2, 2, 5);
        return rgba(mix(QColor(160, 128, 80), QColor(222, 196, 146), fibre));
    };
    m.relief = 0.9;
    m.shadowSoftness = 16;
    return assembleMitred(mouldingStrip(m));
}

// Deep velvet with a gold cord along the sight edge.
QImage velvetCord() {
    constexpr int depth = 170;
    Moulding m;
    m.depth = depth;
    m.height = [](double x, double d) {
        return panelProfile(d, 128) * (d < 128 ? 1 : 0) + ropeHeight(x, d, 128, 40, 14);
    };
    m.surface = [](double x, double d) {
        if (d >= 128)
            return goldColour(x, d, 19);
        const double nap = fbm(x / kEdgeLength * 20, d / 18, 20, 3, 23);
        return rgba(mix(QColor(86, 10, 26), QColor(150, 28, 48), nap));
    };
    m.gloss = 0.5;
    return assembleMitred(mouldingStrip(m));
}

// A string of pearls on midnight velvet.
QImage pearls() {
    constexpr int depth = 150, period = 28;
    auto pearl = [](double x, double d) {
        const double dx = offsetInPeriod(x, period), dd = d - 96;
        const double r2 = 13.0 * 13.0 - dx * dx - dd * dd;
        return r2 > 0 ? std::sqrt(r2) : 0.0;
    };
    Moulding m;
    m.depth = depth;
    m.height = [pearl](double x, double d) { return panelProfile(d, depth) * 0.6 + pearl(x, d) * 1.1; };
    m.surface = [pearl](double x, double d) {
        if (pearl(x, d) > 0) {
            // Nacre: a faint rosy and bluish play of colour.
            const double hue = std::sin(offsetInPeriod(x, period) * 0.3 + d * 0.2);
            return Rgba{236 + 10 * hue, 228, 222 - 8 * hue, 1.0};
        }
        const double nap = fbm(x / kEdgeLength * 20, d / 18, 20, 3, 29);
        return rgba(mix(QColor(16, 22, 52), QColor(40, 52, 100), nap));
    };
    m.gloss = 0.8;
    return assembleMitred(mouldingStrip(m));
}

// Two rows of saddle stitches: slanted dashes every `period`.
double stitch(double x, double d, double row, double period) {
    const double u = offsetInPeriod(x + (d - row) * 0.5, period);
    return (std::abs(d - row) < 2.2 && std::abs(u) < period * 0.32) ? 1.0 : 0.0;
}

QImage leather() {
    constexpr int depth = 160;
    Moulding m;
    m.depth = depth;
    m.height = [](double x, double d) {
        const double pebble = fbm(x / kEdgeLength * 60, d / 7, 60, 2, 37) * 3;
        return ramp(d, 0, 8, 8) - ramp(d, depth - 10, depth, 8) + pebble +
               (stitch(x, d, 24, 15) + stitch(x, d, depth - 26, 15)) * 1.5;
    };
    m.surface = [](double x, double d) {
        const double s = std::max(stitch(x, d, 24, 15), stitch(x, d, depth - 26, 15));
        const double patina = fbm(x / kEdgeLength * 5, d / 50, 5, 3, 41);
        const Rgba hide = rgba(mix(QColor(84, 44, 22), QColor(146, 86, 44), patina));
        return blend(hide, Rgba{236, 214, 170, 1}, s);
    };
    m.gloss = 0.3;
    return assembleMitred(mouldingStrip(m));
}

// Blue denim: a diagonal twill, orange double stitching, a frayed sight edge.
QImage denim() {
    constexpr int depth = 150;
    Moulding m;
    m.depth = depth;
    m.height = [](double x, double d) {
        const double twill = std::sin((x + d) * 2 * kPi / 6) * 0.7;
        return twill + ramp(d, 0, 6, 4) + (d > 36 && d < 40 ? -2 : 0);
    };
    m.surface = [](double x, double d) {
        const double fade = fbm(x / kEdgeLength * 7, d / 40, 7, 3, 43);
        const double thread = grain(int(x) % kEdgeLength, int(d), 44);
        const double twill = 0.5 + 0.5 * std::sin((x + d) * 2 * kPi / 6);
        QColor c = mix(QColor(30, 52, 96), QColor(96, 124, 168), fade * 0.8 + twill * 0.2);
        c = scaled(c, 0.92 + thread * 0.16);
        Rgba out = rgba(c);
        const double dash = std::abs(offsetInPeriod(x, 14)) < 4.5 ? 1.0 : 0.0;
        for (double row : {22.0, 30.0, depth - 24.0})
            if (std::abs(d - row) < 1.6)
                out = blend(out, Rgba{226, 140, 48, 1}, dash);
        if (d > depth - 10) {
            // Frayed threads hang into the picture.
            const double len = grain(int(x) % kEdgeLength, 0, 45) * 10;
            out.a = d - (depth - 10) < len ? 1.0 : 0.0;
            out = blend(out, Rgba{200, 210, 226, out.a}, 0.5);
        }
        return out;
    };
    m.gloss = 0.05;
    return assembleMitred(mouldingStrip(m));
}

// Ivory lace: a pierced band with a scalloped edge toward the picture.
QImage lace() {
    constexpr int depth = 132, period = 42;
    auto strip = [](QImage& s, const SideLight& light) {
        const Rgba ivory{250, 246, 234, 1};
        fillPixels(s, [&](int xi, int di) -> Rgba {
            const double x = xi + 0.5, d = di + 0.5;
            if (d >= depth)
                return {};
            const double u = offsetInPeriod(x, period);
            double solid = 1;
            if (d > 84) {
                // A scallop with an eyelet in it.
                const double r = std::hypot(u, d - 84);
                solid = std::clamp(period * 0.5 + 0.5 - r, 0.0, 1.0) *
                        std::clamp(std::hypot(u, d - 94) - 4.5, 0.0, 1.0);
            } else if (d > 10) {
                // Pierced grid of eyelets, offset every other row.
                const double row = std::floor((d - 10) / 14);
                const double ux = offsetInPeriod(x + (int(row) % 2) * 7, 14);
                const double uy = std::fmod(d - 10, 14.0) - 7;
                solid = std::clamp(std::hypot(ux, uy) - 3.5, 0.0, 1.0);
            }
            if (solid <= 0)
                return {};
            const double sheen = light.across < 0 ? 1.0 : 0.94;
            const double thread = 0.94 + grain(xi % kEdgeLength, di, 51) * 0.06;
            return {ivory.r * sheen * thread, ivory.g * sheen * thread, ivory.b * sheen * thread, solid};
        });
    };
    return assembleMitred(strip);
}

// Knitted wool: rows of V stitches, two bands of snow-white rows.
QImage knitted() {
    constexpr int depth = 150, period = 14, rowHeight = 15;
    Moulding m;
    m.depth = depth;
    m.height = [](double x, double d) {
        const double row = std::fmod(d, rowHeight) / rowHeight;      // 0..1 down the row
        const double u = offsetInPeriod(x, period) / (period * 0.5); // -1..1 across the stitch
        // Each stitch is two slanted loops meeting at the bottom: a V.
        const double loop = std::abs(std::abs(u) - (1 - row) * 0.9 - 0.05);
        return std::max(0.0, 1 - loop * 2.2) * 5 * std::sin(kPi * std::clamp(row, 0.0, 1.0));
    };
    m.surface = [](double x, double d) {
        const int row = int(d) / rowHeight;
        const bool white = row == 2 || row == 7;
        const double fuzz = grain(int(x) % kEdgeLength, int(d), 53) * 0.12;
        const QColor c = white ? QColor(236, 232, 224) : QColor(164, 26, 40);
        return rgba(scaled(c, 0.9 + fuzz));
    };
    m.relief = 1.2;
    return assembleMitred(mouldingStrip(m));
}

} // namespace

QList<RegularFrame> textileFrames() {
    return {
        {QStringLiteral("Rope"), rope},       {QStringLiteral("Velvet Cord"), velvetCord},
        {QStringLiteral("Pearls"), pearls},   {QStringLiteral("Leather"), leather},
        {QStringLiteral("Denim"), denim},     {QStringLiteral("Lace"), lace},
        {QStringLiteral("Knitted"), knitted},
    };
}

} // namespace FrameDesigns
