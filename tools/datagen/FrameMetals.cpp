#include "FrameDesigns.h"
#include "FrameMoulding.h"

#include <algorithm>
#include <cmath>

using namespace FrameKit;

namespace FrameDesigns {

namespace {

// Hammered copper: overlapping dents from a tileable noise, bright where they face the light.
QImage copper() {
    constexpr int depth = 170;
    Moulding m;
    m.depth = depth;
    m.height = [](double x, double d) {
        return panelProfile(d, depth) + fbm(x / kEdgeLength * 28, d / 15, 28, 2, 5) * 9;
    };
    m.surface = [](double x, double d) {
        const double tarnish = fbm(x / kEdgeLength * 6, d / 40, 6, 3, 7);
        return rgba(
            mix(QColor(190, 110, 60), QColor(120, 62, 36), std::clamp(tarnish * 1.4 - 0.35, 0.0, 1.0)));
    };
    m.gloss = 0.9;
    m.relief = 1.2;
    return assembleMitred(mouldingStrip(m));
}

// A polished chrome tube: the room reflected as a dark band and a bright band along it.
QImage chrome() {
    constexpr int depth = 120;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) { return roundProfile(d, depth) * 1.8; };
    m.surface = [](double, double d) {
        const double t = d / depth;
        const double horizon = std::exp(-std::pow((t - 0.58) / 0.08, 2));
        const double sky = std::exp(-std::pow((t - 0.3) / 0.12, 2));
        const double v = 150 - 90 * horizon + 80 * sky;
        return Rgba{v, v + 4, v + 10, 1.0};
    };
    m.gloss = 1.0;
    m.relief = 0.8;
    m.shadowSoftness = 16;
    return assembleMitred(mouldingStrip(m));
}

QImage pewter() {
    constexpr int depth = 180;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) { return classicProfile(d, depth); };
    m.surface = [](double x, double d) {
        return brushedColour(x, d, QColor(86, 90, 94), QColor(122, 126, 130), 13);
    };
    m.gloss = 0.6;
    return assembleMitred(mouldingStrip(m));
}

// Cast bronze with a row of beads; green patina gathers in the hollows.
QImage bronze() {
    constexpr int depth = 200;
    auto profile = [](double x, double d) {
        double h = classicProfile(d, depth);
        if (d > 150 && d < 174) {
            const double dx = std::fmod(x - kMiddle + 21 * 1000.5, 21.0) - 10.5;
            const double r2 = 81 - dx * dx - (d - 162) * (d - 162);
            if (r2 > 0)
                h += std::sqrt(r2);
        }
        return h;
    };
    Moulding m;
    m.depth = depth;
    m.height = profile;
    m.surface = [profile](double x, double d) {
        const double low = std::clamp((18 - profile(x, d)) / 14, 0.0, 1.0);
        const double patchy = fbm(x / kEdgeLength * 10, d / 20, 10, 3, 17);
        const QColor metal = mix(QColor(110, 74, 36), QColor(170, 122, 64), patchy);
        return rgba(mix(metal, QColor(82, 140, 112), std::clamp(low * 1.2 * patchy + 0.1 * low, 0.0, 1.0)));
    };
    m.gloss = 0.5;
    return assembleMitred(mouldingStrip(m));
}

} // namespace

QList<RegularFrame> metalFrames() {
    return {
        {QStringLiteral("Copper"), copper},
        {QStringLiteral("Chrome"), chrome},
        {QStringLiteral("Pewter"), pewter},
        {QStringLiteral("Bronze"), bronze},
    };
}

} // namespace FrameDesigns
