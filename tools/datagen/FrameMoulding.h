#pragma once

#include "FrameKit.h"

#include <functional>

// A carved band described by its surface: a height field lit by the room light, a colour, a
// sheen. Everything is a function of (x along the side, d from the outer edge inward), so a
// moulding repeats along the side whenever its functions do.
namespace FrameKit {

struct Moulding {
    int depth = 200; // band depth from the outer edge; the picture shows beyond it
    std::function<double(double x, double d)> height; // in pixels
    std::function<Rgba(double x, double d)> surface;  // colour before lighting
    double gloss = 0.0;                               // 0 matt .. 1 polished
    double relief = 1.0;                              // how strongly the height field is lit
    int shadowSoftness = 18;                          // shadow the band throws onto the picture
    double shadowStrength = 0.5;
};

StripPainter mouldingStrip(const Moulding& moulding);

// Cross-section building blocks (d measured from the outer edge).
double roundBead(double d, double centre, double radius);    // half cylinder
double cove(double d, double from, double to, double depth); // concave hollow
double ramp(double d, double from, double to, double rise);  // straight slope

// Wood: rings that run along the side, distorted so they look grown; period 420 along x.
Rgba woodColour(double x, double d, const QColor& dark, const QColor& light, uint32_t seed, double ringWidth);

} // namespace FrameKit
