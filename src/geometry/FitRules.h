#pragma once

#include "Rect.h"

// Where a picture of W x H pixels is drawn: the largest rectangle of its proportions that fits
// the picture area (700 x 500 at (10, 60)) or one half of the before/after view, centred.
namespace FitRules {

inline constexpr Rect kPictureArea{10, 60, 710, 560};
inline constexpr Rect kCompareLeftArea{10, 60, 340, 560};
inline constexpr Rect kCompareRightArea{380, 60, 710, 560};

} // namespace FitRules

// An empty picture (0 x 0) gives (10, 60, 10, 60).
Rect FitToView(int width, int height);
// An empty picture gives (0, 0, 0, 0).
Rect FitToCompareLeft(int width, int height);
Rect FitToCompareRight(int width, int height);
