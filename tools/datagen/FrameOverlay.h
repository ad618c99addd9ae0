#pragma once

#include "FrameDesigns.h"

#include <QImage>
#include <QPainterPath>

#include <functional>

// Helpers for artistic overlays: a blank overlay canvas, per-pixel fills over it and the
// small shapes several overlays scatter.
namespace FrameKit {

QImage blankOverlay();

// Fills every pixel from a colour function (non-premultiplied, alpha 0..1).
void fillOverlay(QImage& overlay, const std::function<Rgba(double x, double y)>& colourAt);

// Distance of (x, y) from the nearest edge of the overlay.
double edgeDistance(double x, double y);

// Scatters `count` points within `band` pixels of the overlay's edges (never in the middle).
QList<QPointF> pointsNearEdges(Rng& rng, int count, double band);

// Centred on (0, 0); `notch` is how far the cleft between the lobes dips, in half sizes.
QPainterPath heartPath(double size, double notch = 0.45);
QPainterPath leafPath(double length); // stem at (0, 0), pointing up

// The small neutral scene artistic thumbnails show through their frames.
QImage thumbnailScene(int size);

} // namespace FrameKit
