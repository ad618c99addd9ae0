#include "FrameKit.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace FrameKit {

uint64_t Rng::next() {
    // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform() {
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

namespace {

uint32_t hash3(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x27D4EB2Du ^ uint32_t(x) * 0x85EBCA6Bu ^ uint32_t(y) * 0xC2B2AE35u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double lattice(int x, int y, int periodX, uint32_t seed) {
    if (periodX > 0)
        x = ((x % periodX) + periodX) % periodX;
    return double(hash3(x, y, seed) & 0xFFFFFF) / double(0xFFFFFF);
}

} // namespace

double noise(double x, double y, int periodX, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = x - fx, ty = y - fy;
    const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    const double a = lattice(ix, iy, periodX, seed), b = lattice(ix + 1, iy, periodX, seed);
    const double c = lattice(ix, iy + 1, periodX, seed), d = lattice(ix + 1, iy + 1, periodX, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

double fbm(double x, double y, int periodX, int octaves, uint32_t seed) {
    double sum = 0, amplitude = 0.5, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * noise(x, y, periodX, seed + uint32_t(o) * 101u);
        total += amplitude;
        x *= 2;
        y *= 2;
        if (periodX > 0)
            periodX *= 2;
        amplitude *= 0.5;
    }
    return sum / total;
}

double grain(int x, int y, uint32_t seed) {
    return double(hash3(x, y, seed ^ 0xA511E9B3u) & 0xFFFF) / 65535.0;
}

SideLight lightFor(Side side) {
    switch (side) {
    case Side::Top:
        return {-0.6, -1.0};
    case Side::Right:
        return {-0.6, 1.0};
    case Side::Bottom:
        return {0.6, 1.0};
    case Side::Left:
        return {0.6, -1.0};
    }
    return {0, 0};
}

double shade(double slopeAcross, double slopeAlong, const SideLight& light) {
    // Normal of the height field (−dh/dacross, −dh/dalong, 1) against a light raised 45 degrees.
    const double nx = -slopeAcross, ny = -slopeAlong, nz = 1.0;
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    const double lx = light.across * 0.55, ly = light.along * 0.55, lz = 0.8;
    const double llen = std::sqrt(lx * lx + ly * ly + lz * lz);
    const double lambert = (nx * lx + ny * ly + nz * lz) / (len * llen);
    const double flat = lz / llen;
    return std::clamp(1.0 + (lambert - flat) * 1.6, 0.35, 1.35);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor scaled(const QColor& c, double factor) {
    auto ch = [factor](float v) { return float(std::clamp(v * factor, 0.0, 1.0)); };
    return QColor::fromRgbF(ch(c.redF()), ch(c.greenF()), ch(c.blueF()), c.alphaF());
}

QRgb premultipliedRgba(double r, double g, double b, double a) {
    a = std::clamp(a, 0.0, 1.0);
    auto ch = [a](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0) * a)); };
    return qRgba(ch(r), ch(g), ch(b), int(std::lround(a * 255)));
}

QImage assembleMitred(const StripPainter& paintStrip) {
    const int n = kTemplateSize, c = kCornerSize;
    auto strip = [&](Side side) {
        QImage s(n, c, QImage::Format_ARGB32_Premultiplied);
        s.fill(Qt::transparent);
        paintStrip(s, lightFor(side));
        return s;
    };
    QImage frame(n, n, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    QPainter p(&frame);
    // Quarter turns of a raster are exact pixel moves, so every side repeats like its strip.
    p.drawImage(0, 0, strip(Side::Top));
    p.drawImage(0, n - c, strip(Side::Bottom).transformed(QTransform().rotate(180)));
    // The sides go over the top and bottom through a mitre mask; drawing them over fully opaque
    // neighbours avoids the half-transparent seam two complementary soft masks would leave.
    auto mitred = [&](const QImage& turned, bool left) {
        QImage mask(c, n, QImage::Format_ARGB32_Premultiplied);
        mask.fill(Qt::transparent);
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.setPen(Qt::NoPen);
        mp.setBrush(Qt::black);
        QPolygonF outline;
        if (left)
            outline << QPointF(0, 0) << QPointF(c, c) << QPointF(c, n - c) << QPointF(0, n);
        else
            outline << QPointF(c, 0) << QPointF(0, c) << QPointF(0, n - c) << QPointF(c, n);
        mp.drawPolygon(outline);
        mp.end();
        // The mask is drawn whole: composition modes act only where the source is drawn.
        QImage layer = turned;
        QPainter lp(&layer);
        lp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        lp.drawImage(0, 0, mask);
        lp.end();
        p.drawImage(left ? 0 : n - c, 0, layer);
    };
    mitred(strip(Side::Left).transformed(QTransform().rotate(270)), true);
    mitred(strip(Side::Right).transformed(QTransform().rotate(90)), false);
    return frame;
}

void decorateCorners(QImage& frame, const CornerPainter& paintCorner) {
    const int n = frame.width();
    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    struct Corner {
        double angle;
        QPointF origin;
        Side side;
    };
    // Each corner's frame of reference is the top-left one turned about the template's centre.
    const Corner corners[] = {{0, QPointF(0, 0), Side::Top},
                              {90, QPointF(n, 0), Side::Right},
                              {180, QPointF(n, n), Side::Bottom},
                              {270, QPointF(0, n), Side::Left}};
    for (const Corner& corner : corners) {
        p.save();
        p.translate(corner.origin);
        p.rotate(corner.angle);
        // Corner ornaments are lit like the top side turned with them, which is near enough
        // for a roughly round ornament.
        paintCorner(p, lightFor(corner.side));
        p.restore();
    }
}

void fillPixels(QImage& strip, const std::function<Rgba(int x, int y)>& colourAt) {
    for (int y = 0; y < strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x) {
            const Rgba c = colourAt(x, y);
            line[x] = c.a <= 0 ? 0 : premultipliedRgba(c.r, c.g, c.b, c.a);
        }
    }
}

void innerShadow(QImage& strip, int bandDepth, int softness, double strength) {
    for (int y = bandDepth; y < std::min(strip.height(), bandDepth + softness); ++y) {
        const double t = 1.0 - double(y - bandDepth) / softness;
        const int alpha = int(std::lround(255 * strength * t * t));
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x) {
            // The band stays over its own shadow: black under the existing premultiplied pixel.
            const int a = qAlpha(line[x]);
            const int out = a + alpha * (255 - a) / 255;
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), out);
        }
    }
}

void repeatAlong(QPainter& painter, int period, double phase, const std::function<void(QPainter&)>& motif) {
    for (int k = -2; k * period + phase < kTemplateSize + 2 * period; ++k) {
        painter.save();
        painter.translate(phase + k * period, 0);
        motif(painter);
        painter.restore();
    }
}

} // namespace FrameKit
