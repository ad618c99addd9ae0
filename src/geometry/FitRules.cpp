#include "FitRules.h"

#include <cmath>

namespace {

// The shared rule: r is compared with the area's own ratio; wider pictures span the width,
// narrower ones the height. Integer halves truncate toward zero, as the layout expects.
Rect fitInto(const Rect& area, double threshold, int width, int height, const Rect& emptyResult) {
    const double r = double(width) / double(height);
    if (std::isnan(r))
        return emptyResult;
    const int areaW = area.width();
    const int areaH = area.height();
    if (r == threshold)
        return area;
    if (r > threshold) {
        const int h = int(std::trunc(areaW / r));
        return {area.left, area.top + (areaH - h) / 2, area.right, area.top + (h + areaH) / 2};
    }
    const int w = int(std::trunc(r * areaH));
    return {area.left + (areaW - w) / 2, area.top, area.left + (w + areaW) / 2, area.bottom};
}

} // namespace

Rect FitToView(int width, int height) {
    return fitInto(FitRules::kPictureArea, 1.4, width, height, Rect{10, 60, 10, 60});
}

Rect FitToCompareLeft(int width, int height) {
    return fitInto(FitRules::kCompareLeftArea, 0.66, width, height, Rect{});
}

Rect FitToCompareRight(int width, int height) {
    return fitInto(FitRules::kCompareRightArea, 0.66, width, height, Rect{});
}
