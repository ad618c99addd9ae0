#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>

#include <cstdint>
#include <cmath>
#include <functional>
#include <numbers>

// Drawing helpers shared by the frame generators: a seeded random source, noise that repeats
// with the edge tile, cross-section shading, and the assembly of a nine-slice template from
// four side strips.
namespace FrameKit {

// The template grid the editor cuts: 240-pixel corners around a 420-pixel edge tile.
inline constexpr int kTemplateSize = 900;
inline constexpr int kCornerSize = 240;
inline constexpr int kEdgeLength = 420;

// Small, fast and reproducible everywhere (std:: distributions differ between libraries).
class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t next();
    double uniform(); // [0, 1)
    double range(double low, double high) { return low + (high - low) * uniform(); }
    int below(int n) { return int(uniform() * n); }

  private:
    uint64_t state_;
};

// Value noise in [0, 1] on a unit lattice, repeating every periodX cells in x (periodX <= 0:
// no repeat). Frame strips use it with a period that divides the edge tile, so tiles join.
double noise(double x, double y, int periodX, uint32_t seed);
// Several octaves of noise; each octave doubles the frequency and the period in cells.
double fbm(double x, double y, int periodX, int octaves, uint32_t seed);
// Per-pixel hash in [0, 1] for fine grain.
double grain(int x, int y, uint32_t seed);

// Where the light comes from, in the coordinates of one side strip: `along` runs with the
// strip, `across` runs from the outer edge inward. The room light falls from the top left, so
// each side of a frame sees it from a different direction.
struct SideLight {
    double along;
    double across;
};
enum class Side { Top, Right, Bottom, Left };
SideLight lightFor(Side side);

// Brightness factor (about 0.35 .. 1.35) of a surface whose height rises by `slopeAcross`
// per pixel inward and `slopeAlong` per pixel along the strip.
double shade(double slopeAcross, double slopeAlong, const SideLight& light);

QColor mix(const QColor& a, const QColor& b, double t);
QColor scaled(const QColor& c, double factor);
QRgb premultipliedRgba(double r, double g, double b, double a); // channels 0..255
inline double smoothstep(double e0, double e1, double x) {
    double t = (x - e0) / (e1 - e0);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return t * t * (3 - 2 * t);
}

// A side strip is kTemplateSize wide and kCornerSize deep: x runs along the side, y from the
// outer edge inward. The painter fills a transparent premultiplied strip.
using StripPainter = std::function<void(QImage& strip, const SideLight& light)>;

// Lays four strips around a transparent square, joined by 45-degree mitres at the corners.
QImage assembleMitred(const StripPainter& paintStrip);

// Draws the same ornament into each corner square, turned so that the ornament's own x and y
// point along the top side and inward; the painter receives that corner's light.
using CornerPainter = std::function<void(QPainter& painter, const SideLight& light)>;
void decorateCorners(QImage& frame, const CornerPainter& paintCorner);

// Fills the strip row by row from a per-pixel colour function (non-premultiplied RGBA in
// 0..255, alpha 0..1 in a).
struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;
};
void fillPixels(QImage& strip, const std::function<Rgba(int x, int y)>& colourAt);

inline Rgba rgba(const QColor& c, double a = 1.0) {
    return {double(c.red()), double(c.green()), double(c.blue()), a};
}

inline Rgba blend(const Rgba& a, const Rgba& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kMiddle = kTemplateSize / 2.0;

// Signed offset from the nearest repeat of a row with the given period, centred on the
// template's middle so all four corners cut the row alike.
inline double offsetInPeriod(double x, double period) {
    return std::fmod(x - kMiddle + period * 1000.5, period) - period * 0.5;
}

// Drop shadow that a raised band throws inward onto the picture.
void innerShadow(QImage& strip, int bandDepth, int softness, double strength);

// Draws `motif` at x = phase + k * period for every k that reaches the strip, so the strip
// repeats with `period` (which must divide kEdgeLength).
void repeatAlong(QPainter& painter, int period, double phase, const std::function<void(QPainter&)>& motif);

} // namespace FrameKit
