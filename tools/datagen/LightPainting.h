#pragma once

#include "FrameKit.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRectF>

// Drawing helpers of the light overlays. Every overlay is drawn on a kOverlayWidth x
// kOverlayHeight canvas; the editor stretches it over the picture, so positions and sizes are
// given as fractions of the canvas where that keeps a design readable at any aspect.
namespace LightPaint {

inline constexpr int kOverlayWidth = 1600;
inline constexpr int kOverlayHeight = 1200;

using FrameKit::Rng;

// A canvas filled with one colour. With alpha the canvas keeps transparency (lights laid
// "over" the picture); without it the fill is what the blend treats as neutral (black for
// screen and dodge, white for multiply, mid grey for overlay and soft light).
QImage canvas(const QColor& fill, bool alpha = false);

// A canvas point from fractions of its width and height.
QPointF at(double fx, double fy);

// A soft round light: full colour at the centre falling smoothly (close to a Gaussian) to
// nothing at radius. Stretched into an ellipse by aspect (height / width).
void glow(QPainter& p, QPointF centre, double radius, const QColor& colour, double strength = 1.0,
          double aspect = 1.0);

// Out-of-focus highlights: discs with a soft rim, scattered over area, colours from palette.
struct BokehStyle {
    int count = 40;
    double minRadius = 20;
    double maxRadius = 70;
    double minAlpha = 0.15;
    double maxAlpha = 0.55;
};
void bokeh(QPainter& p, Rng& rng, const QRectF& area, const QList<QColor>& palette, const BokehStyle& style);

// Beams fanning out from origin between two directions (degrees, 0 = right, 90 = down),
// fading with distance.
void rays(QPainter& p, Rng& rng, QPointF origin, int count, double fromDegrees, double toDegrees,
          double length, const QColor& colour, double strength);

// A rainbow band: the spectrum across width pixels, inside radius, around centre.
void rainbow(QPainter& p, QPointF centre, double radius, double width, double strength);

// Vignette mask: centreColour inside innerFraction of the half-diagonal, edgeColour at the
// corners, with a smooth ramp between.
void vignette(QPainter& p, const QColor& centreColour, const QColor& edgeColour, double innerFraction);

// Film grain around mid grey: amplitude in grey levels, clump in canvas pixels (1 = pixel
// sized). Meant for the overlay and soft-light blends.
QImage grain(double amplitude, double clump, uint32_t seed);

// Fine dark (or light) hair-line scratches running mostly top to bottom.
void scratches(QPainter& p, Rng& rng, int count, const QColor& colour);
// Specks and short curled hairs.
void dust(QPainter& p, Rng& rng, int specks, int hairs, const QColor& colour);

} // namespace LightPaint
