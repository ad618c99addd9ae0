#include "TurnedFit.h"

#include "FitRules.h"

namespace {

// The widest a picture may be drawn in one half of the before/after view.
constexpr int kHalfWidth = FitRules::kCompareLeftArea.right - FitRules::kCompareLeftArea.left;

Rect standing(const QPoint& centre, int width, int halfHeight) {
    const int left = centre.x() - width / 2;
    return Rect{left, centre.y() - halfHeight, left + width, centre.y() + halfHeight};
}

} // namespace

bool turnsToPortrait(const QSize& unturned, int angle) {
    const bool quarterTurned = (angle / 90) % 2 != 0;
    const bool landscape = unturned.width() > unturned.height();
    return landscape == quarterTurned;
}

ViewRects fitTurnedPicture(const QSize& turned, bool portrait, const QPoint& imageCenter) {
    const qint64 w = turned.width();
    const qint64 h = turned.height();
    ViewRects rects{FitToView(int(w), int(h)), FitToCompareLeft(int(w), int(h)),
                    FitToCompareRight(int(w), int(h))};
    if (!portrait || h <= 0)
        return rects;
    rects.fitRect = standing(imageCenter, int(w * 500 / h), 250);
    const int halfWidth = int(w * 400 / h);
    if (halfWidth <= kHalfWidth) {
        rects.compareLeftRect = standing(compareCenterLeft, halfWidth, 200);
        rects.compareRightRect = standing(compareCenterRight, halfWidth, 200);
    }
    return rects;
}
