#include "FrameDesigns.h"
#include "FrameMoulding.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

using namespace FrameKit;

namespace FrameDesigns {

namespace {

QImage mahogany() {
    Moulding m;
    m.depth = 196;
    m.height = [](double, double d) { return classicProfile(d, 196); };
    m.surface = [](double x, double d) {
        return woodColour(x, d, QColor(74, 22, 14), QColor(150, 62, 36), 31, 6.0);
    };
    m.gloss = 0.45;
    return assembleMitred(mouldingStrip(m));
}

// Black lacquer with a gilded sight edge.
QImage ebony() {
    constexpr int depth = 170;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) { return reverseProfile(d, depth); };
    m.surface = [](double x, double d) {
        if (d > depth - 20)
            return goldColour(x, d, 3);
        return woodColour(x, d, QColor(14, 12, 12), QColor(40, 34, 32), 44, 9.0);
    };
    m.gloss = 0.8;
    return assembleMitred(mouldingStrip(m));
}

// White paint over wood: the grain still shows through the coat.
QImage galleryWhite() {
    constexpr int depth = 150;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) { return panelProfile(d, depth); };
    m.surface = [](double x, double d) {
        return woodColour(x, d, QColor(214, 212, 206), QColor(246, 245, 240), 52, 10.0);
    };
    m.gloss = 0.2;
    return assembleMitred(mouldingStrip(m));
}

// Weathered barn planks with open joints and nail heads.
QImage barnWood() {
    constexpr int depth = 200, plank = 210;
    Moulding m;
    m.depth = depth;
    m.height = [](double x, double d) {
        double h = panelProfile(d, depth) + fbm(x / kEdgeLength * 12, d / 3, 12, 3, 61) * 4;
        const double seam = std::abs(offsetInPeriod(x + plank / 2.0, plank));
        if (seam < 2.5)
            h -= 6 * (1 - seam / 2.5);
        // Nail heads near every joint.
        for (double across : {40.0, 160.0}) {
            const double nx = offsetInPeriod(x + plank / 2.0, plank);
            for (double side : {-16.0, 16.0}) {
                const double r = std::hypot(nx - side, d - across);
                if (r < 7)
                    h += std::sqrt(49 - r * r) * 0.6;
            }
        }
        return h;
    };
    m.surface = [](double x, double d) {
        // Sun-bleached grey boards: long streaks of grain, no varnish to bring out rings.
        const double u = x / kEdgeLength;
        const double streak = fbm(u * 10, d / 2.5, 10, 3, 67) * 0.7 + fbm(u * 40, d / 1.2, 40, 2, 68) * 0.3;
        const QColor grey =
            mix(QColor(84, 78, 70), QColor(170, 162, 148), std::clamp(streak * 1.5 - 0.25, 0.0, 1.0));
        const Rgba wood = rgba(grey);
        const double nx = offsetInPeriod(x + plank / 2.0, plank);
        for (double across : {40.0, 160.0})
            for (double side : {-16.0, 16.0})
                if (std::hypot(nx - side, d - across) < 7)
                    return Rgba{70, 62, 56, 1.0};
        return wood;
    };
    m.gloss = 0.05;
    m.relief = 1.3;
    return assembleMitred(mouldingStrip(m));
}

// A cane of bamboo with a node every third of the edge tile.
QImage bamboo() {
    constexpr int depth = 110, node = 140;
    Moulding m;
    m.depth = depth;
    m.height = [](double x, double d) {
        const double n = std::abs(offsetInPeriod(x, node));
        double h = roundProfile(d, depth) * 1.6;
        if (n < 6)
            h += 4 * (1 - n / 6) - (n < 1.5 ? 3 : 0);
        return h;
    };
    m.surface = [](double x, double d) {
        const double n = std::abs(offsetInPeriod(x, node));
        const double streak = fbm(x / kEdgeLength * 60, d / 1.5, 60, 2, 71);
        const double age = std::clamp(0.3 + std::pow(std::min(n, 70.0) / 70.0, 2) * 0.5, 0.0, 1.0);
        QColor c = mix(QColor(196, 168, 84), QColor(150, 160, 70), age * 0.6);
        c = mix(c, QColor(230, 206, 130), streak * 0.35);
        if (n < 6)
            c = mix(c, QColor(120, 96, 44), 1 - n / 6);
        return rgba(c);
    };
    m.gloss = 0.5;
    m.shadowSoftness = 14;
    return assembleMitred(mouldingStrip(m));
}

// Cherry with a pale inlaid stripe between two ebony lines.
QImage cherryInlay() {
    constexpr int depth = 190;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) { return panelProfile(d, depth) + roundBead(d, 18, 12) * 0.6; };
    m.surface = [](double x, double d) {
        const Rgba cherry = woodColour(x, d, QColor(110, 44, 26), QColor(176, 92, 56), 81, 8.0);
        const Rgba maple = woodColour(x, d * 0.2, QColor(214, 186, 140), QColor(236, 218, 182), 83, 30.0);
        const double inlay = smoothstep(92, 93, d) * (1 - smoothstep(109, 110, d));
        const double lines = smoothstep(88, 89, d) * (1 - smoothstep(91.5, 92.5, d)) +
                             smoothstep(110, 111, d) * (1 - smoothstep(113.5, 114.5, d));
        return blend(blend(cherry, maple, inlay), Rgba{26, 18, 14, 1}, lines);
    };
    m.gloss = 0.4;
    return assembleMitred(mouldingStrip(m));
}

QImage mapleFrame() {
    constexpr int depth = 160;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) { return reverseProfile(d, depth); };
    m.surface = [](double x, double d) {
        return woodColour(x, d, QColor(196, 156, 104), QColor(236, 208, 160), 91, 13.0);
    };
    m.gloss = 0.25;
    return assembleMitred(mouldingStrip(m));
}

// A wide gilt moulding around a linen liner, as museums hang old masters.
QImage museum() {
    constexpr int depth = 220, liner = 140;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) {
        if (d < liner)
            return classicProfile(d, liner) + 10;
        return 4 + ramp(d, liner, depth, -3);
    };
    m.surface = [](double x, double d) {
        if (d < liner)
            return goldColour(x, d, 95);
        // Linen: a fine weave of period 4 with uneven threads.
        const int xi = int(x) % kEdgeLength, di = int(d);
        const double warp = 0.5 + 0.5 * std::sin(x * 3.14159 / 2),
                     weft = 0.5 + 0.5 * std::sin(d * 3.14159 / 2);
        const double thread = grain(xi / 4, di, 97) * 0.4 + grain(xi, di / 4, 98) * 0.4;
        const double v = 0.86 + 0.08 * (warp * weft) + 0.06 * thread;
        return Rgba{226 * v, 216 * v, 192 * v, 1.0};
    };
    m.gloss = 0.7;
    return assembleMitred(mouldingStrip(m));
}

} // namespace

QList<RegularFrame> woodFrames() {
    return {
        {QStringLiteral("Mahogany"), mahogany},
        {QStringLiteral("Ebony"), ebony},
        {QStringLiteral("Gallery White"), galleryWhite},
        {QStringLiteral("Barn Wood"), barnWood},
        {QStringLiteral("Bamboo"), bamboo},
        {QStringLiteral("Cherry Inlay"), cherryInlay},
        {QStringLiteral("Maple"), mapleFrame},
        {QStringLiteral("Museum"), museum},
    };
}

} // namespace FrameDesigns
