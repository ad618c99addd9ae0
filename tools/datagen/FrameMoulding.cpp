#include "FrameMoulding.h"

#include <algorithm>
#include <cmath>

namespace FrameKit {

StripPainter mouldingStrip(const Moulding& m) {
    return [m](QImage& strip, const SideLight& light) {
        const double edge = m.depth;
        fillPixels(strip, [&](int xi, int yi) -> Rgba {
            const double x = xi + 0.5, d = yi + 0.5;
            // Anti-aliased inner edge of the band.
            const double coverage = std::clamp(edge - yi, 0.0, 1.0);
            if (coverage <= 0)
                return {};
            const double across = (m.height(x, d + 0.5) - m.height(x, d - 0.5)) * m.relief;
            const double along = (m.height(x + 0.5, d) - m.height(x - 0.5, d)) * m.relief;
            const double s = shade(across, along, light);
            Rgba c = m.surface(x, d);
            const double highlight = m.gloss * std::pow(std::clamp((s - 1.0) / 0.35, 0.0, 1.0), 3.0) * 200.0;
            c.r = c.r * s + highlight;
            c.g = c.g * s + highlight;
            c.b = c.b * s + highlight;
            c.a *= coverage;
            return c;
        });
        if (m.shadowSoftness > 0)
            innerShadow(strip, m.depth, m.shadowSoftness, m.shadowStrength);
    };
}

double roundBead(double d, double centre, double radius) {
    const double t = (d - centre) / radius;
    return std::abs(t) >= 1 ? 0 : radius * std::sqrt(1 - t * t);
}

double cove(double d, double from, double to, double depth) {
    if (d <= from || d >= to)
        return 0;
    const double t = (d - from) / (to - from) * 2 - 1;
    return -depth * std::sqrt(1 - t * t);
}

double ramp(double d, double from, double to, double rise) {
    if (d <= from)
        return 0;
    if (d >= to)
        return rise;
    return rise * (d - from) / (to - from);
}

Rgba woodColour(double x, double d, const QColor& dark, const QColor& light, uint32_t seed,
                double ringWidth) {
    const double u = x / kEdgeLength; // one unit per edge tile
    const double warp = fbm(u * 3, d / 60.0, 3, 3, seed) * 9.0;
    const double rings = (d + warp * ringWidth) / ringWidth;
    const double ring = std::pow(0.5 + 0.5 * std::sin(rings * 6.2831853), 3.0);
    const double streak = fbm(u * 70, d / 2.2, 70, 2, seed + 7);
    const double pores = grain(int(x) % kEdgeLength, int(d), seed) > 0.93 ? 0.85 : 1.0;
    const double t = std::clamp(0.15 + 0.55 * ring + 0.45 * (streak - 0.5), 0.0, 1.0);
    const QColor c = mix(light, dark, t);
    return {c.red() * pores, c.green() * pores, c.blue() * pores, 1.0};
}

double classicProfile(double d, double depth) {
    const double k = depth / 200.0;
    if (d < 30 * k)
        return 6 + roundBead(d, 15 * k, 15 * k);
    if (d < 140 * k)
        return 8 + ramp(d, 30 * k, 140 * k, 26 * k);
    if (d < 176 * k)
        return 34 * k + cove(d, 140 * k, 176 * k, 12 * k);
    return 20 * k + roundBead(d, 188 * k, 12 * k);
}

double panelProfile(double d, double depth) {
    return ramp(d, 0, 14, 12) + ramp(d, depth - 26, depth - 10, 10) - ramp(d, depth - 10, depth, 14);
}

double roundProfile(double d, double depth) {
    return roundBead(d, depth / 2, depth / 2) * 0.45;
}

double reverseProfile(double d, double depth) {
    return ramp(d, 0, 10, 16) - ramp(d, 10, depth - 14, 22) + roundBead(d, depth - 7, 7);
}

Rgba goldColour(double x, double d, uint32_t seed) {
    const double v = fbm(x / kEdgeLength * 12, d / 14.0, 12, 3, seed);
    const QColor c = mix(QColor(150, 104, 30), QColor(236, 196, 96), std::clamp(v * 1.3 - 0.1, 0.0, 1.0));
    return {double(c.red()), double(c.green()), double(c.blue()), 1.0};
}

Rgba brushedColour(double x, double d, const QColor& base, const QColor& streak, uint32_t seed) {
    const double s = fbm(x / kEdgeLength * 140, d / 0.7, 140, 2, seed);
    const QColor c = mix(base, streak, s);
    return {double(c.red()), double(c.green()), double(c.blue()), 1.0};
}

} // namespace FrameKit
