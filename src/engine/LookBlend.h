#pragma once

#include <QImage>

// How strongly a look shows: the picture with its filter and light laid over the same picture
// without them, at a strength from 0 (the picture alone) to 1 (the look alone). The view, the
// print copy and the full-size render all blend with this one function, so a half-strength
// look exports exactly as it is seen.
//
// Both pictures must have the same size; each channel (alpha too) becomes
// (look * w + picture * (256 - w) + 128) / 256 with w = strength * 256 rounded, so 0 and 1
// give their pictures back unchanged and 0.5 lies halfway, rounded. Pictures of different sizes
// cannot be blended: the look is returned as it is.
QImage blendLook(const QImage& without, const QImage& look, double strength);

// The strength a slider position (0..100 %) stands for, and back.
inline double strengthOfPercent(int percent) {
    return (percent < 0 ? 0 : percent > 100 ? 100 : percent) / 100.0;
}
inline int percentOfStrength(double strength) {
    return int(strength * 100.0 + 0.5);
}
