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

// Cross-sections of whole mouldings, scaled to the band depth.
double classicProfile(double d, double depth); // lip, rising slope, hollow, sight bead
double panelProfile(double d, double depth);   // flat face between two bevels
double roundProfile(double d, double depth);   // one half-round, like a tube or a cane
double reverseProfile(double d, double depth); // high outside, falling toward the picture

// Gold leaf: warm, with the slightly uneven sheen of burnished leaf.
Rgba goldColour(double x, double d, uint32_t seed);
// Brushed metal: fine streaks along the side.
Rgba brushedColour(double x, double d, const QColor& base, const QColor& streak, uint32_t seed);

} // namespace FrameKit
