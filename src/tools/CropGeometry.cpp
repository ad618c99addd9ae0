#include "CropGeometry.h"

#include "FitRules.h"

#include <algorithm>
#include <cmath>

namespace {

// Where the turned box must lie.
constexpr Rect kPictureArea = FitRules::kPictureArea;
// The fixed-ratio presets are centred here.
constexpr QPoint kPresetCentre{365, 310};

bool containsHalfOpen(const Rect& r, const QPoint& p) {
    return p.x() >= r.left && p.x() < r.right && p.y() >= r.top && p.y() < r.bottom;
}

// Which sides of the reference box a handle leaves where they are.
struct HandleSides {
    bool fixedLeft; // otherwise the right side is fixed
    bool fixedTop;  // otherwise the bottom side is fixed
    bool movesX;    // the handle moves a vertical side
    bool movesY;    // the handle moves a horizontal side
};

HandleSides sidesOf(int handle) {
    switch (handle) {
    case HitTopLeft:
        return {false, false, true, true};
    case HitTopRight:
        return {true, false, true, true};
    case HitBottomRight:
        return {true, true, true, true};
    case HitBottomLeft:
        return {false, true, true, true};
    case HitTopMiddle:
        return {false, false, false, true};
    case HitBottomMiddle:
        return {false, true, false, true};
    case HitRightMiddle:
        return {true, true, true, false};
    case HitLeftMiddle:
        return {false, true, true, false};
    default:
        return {true, true, false, false};
    }
}

bool isCorner(int handle) {
    return handle >= HitTopLeft && handle <= HitBottomLeft;
}

// A size as the box arithmetic has it: truncated, and never beyond what an int holds.
int truncated(double value) {
    if (!(value > 0.0))
        return 0;
    return int(std::min(value, 1.0e9));
}

} // namespace

bool inTitleDragRect(const QPoint& p) {
    return p.x() > titleDragRect.left && p.x() < titleDragRect.right && p.y() > titleDragRect.top &&
           p.y() < titleDragRect.bottom;
}

CropHandles UpdateCropHandles(const Rect& box) {
    const int midX = (box.left + box.right) / 2;
    const int midY = (box.top + box.bottom) / 2;
    const QPoint centres[8] = {{box.left, box.top},    {box.right, box.top}, {box.right, box.bottom},
                               {box.left, box.bottom}, {midX, box.top},      {midX, box.bottom},
                               {box.right, midY},      {box.left, midY}};
    CropHandles handles;
    for (int i = 0; i < 8; ++i)
        handles[i] = Rect{centres[i].x() - 5, centres[i].y() - 5, centres[i].x() + 5, centres[i].y() + 5};
    return handles;
}

int HitTestCrop(const CropHandles& handles, const Rect& box, const QPoint& p) {
    for (int i = 0; i < 8; ++i) {
        if (containsHalfOpen(handles[i], p))
            return i + 1;
    }
    return containsHalfOpen(box, p) ? HitInside : HitOutside;
}

CropCursor cursorForHit(int hit, bool fixedRatio) {
    switch (hit) {
    case HitInside:
        return CropCursor::PointingHand;
    case HitTopLeft:
    case HitBottomRight:
        return CropCursor::SizeNorthWestSouthEast;
    case HitTopRight:
    case HitBottomLeft:
        return CropCursor::SizeNorthEastSouthWest;
    case HitRightMiddle:
    case HitLeftMiddle:
        return fixedRatio ? CropCursor::Keep : CropCursor::SizeWestEast;
    case HitTopMiddle:
    case HitBottomMiddle:
        return fixedRatio ? CropCursor::Keep : CropCursor::SizeNorthSouth;
    default:
        return CropCursor::Arrow;
    }
}

double CropRatioTable::heightPerWidth(int index, double pictureAspect) const {
    switch (index) {
    case Ratio1to1:
        return ratio1to1;
    case Ratio3to2:
        return ratio3to2;
    case Ratio4to3:
        return ratio4to3;
    case Ratio16to9:
        return ratio16to9;
    case RatioOriginal:
        // Turned with the others, so a corner drag keeps the proportions the toggle gave the box.
        if (cropLandscape || pictureAspect <= 0.0)
            return pictureAspect;
        return 1.0 / pictureAspect;
    default:
        return 0.0;
    }
}

void CropRatioTable::turn() {
    if (cropLandscape) {
        ratio16to9 = 16.0 / 9.0;
        ratio3to2 = 3.0 / 2.0;
        ratio4to3 = 4.0 / 3.0;
    } else {
        ratio16to9 = 9.0 / 16.0;
        ratio3to2 = 2.0 / 3.0;
        ratio4to3 = 3.0 / 4.0;
    }
    cropLandscape = !cropLandscape;
}

Rect cropPresetBox(int ratioIndex, const Rect& view, const Rect& bounds) {
    const auto centred = [](int width, int height) {
        const int left = kPresetCentre.x() - width / 2;
        const int top = kPresetCentre.y() - height / 2;
        return Rect{left, top, left + width, top + height};
    };
    switch (ratioIndex) {
    case RatioFree:
        return holdCropBoxInside(Rect{view.left + 200, view.top + 100, view.right - 200, view.bottom - 100},
                                 bounds, false);
    case Ratio1to1:
        return holdCropBoxInside(centred(200, 200), bounds, true);
    case Ratio3to2:
        return holdCropBoxInside(centred(300, 200), bounds, true);
    case Ratio4to3:
        return holdCropBoxInside(centred(400, 300), bounds, true);
    case Ratio16to9:
        return holdCropBoxInside(centred(320, 180), bounds, true);
    default:
        return bounds;
    }
}

Rect holdCropBoxInside(const Rect& box, const Rect& bounds, bool keepProportions) {
    if (bounds.isEmpty() || box.isEmpty())
        return box;
    int width = box.width();
    int height = box.height();
    if (width > bounds.width() || height > bounds.height()) {
        if (keepProportions) {
            const double scale =
                std::min(double(bounds.width()) / double(width), double(bounds.height()) / double(height));
            width = std::max(1, truncated(width * scale));
            height = std::max(1, truncated(height * scale));
        } else {
            width = std::min(width, bounds.width());
            height = std::min(height, bounds.height());
        }
    }
    const int left = (box.left + box.right) / 2 - width / 2;
    const int top = (box.top + box.bottom) / 2 - height / 2;
    return moveCropBox(Rect{left, top, left + width, top + height}, 0, 0, bounds);
}

Rect turnCropBox(const Rect& box, bool originalRatio, const Rect& bounds) {
    const int w = box.width();
    const int h = box.height();
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    Rect turned;
    if (originalRatio) {
        // The height stays and the proportions invert.
        const int v = w > 0 ? truncated(double(h) * double(h) / double(w)) : truncated(HUGE_VAL);
        turned.left = cx - v / 2;
        turned.top = cy - h / 2;
        turned.right = turned.left + v;
        turned.bottom = turned.top + h;
    } else {
        turned.left = cx - h / 2;
        turned.top = cy - w / 2;
        turned.right = turned.left + h;
        turned.bottom = turned.top + w;
    }

    // Too high for the picture area: as high as the picture, the proportions kept.
    if (turned.top < kPictureArea.top && turned.bottom > kPictureArea.bottom) {
        const int width = turned.width();
        const int height = turned.height();
        turned.top = bounds.top;
        turned.bottom = bounds.bottom;
        const int newWidth = int(qint64(bounds.height()) * width / height);
        turned.left = cx - newWidth / 2;
        turned.right = turned.left + newWidth;
    }
    // Still too wide: as wide as the picture.
    if (turned.left < kPictureArea.left && turned.right > kPictureArea.right) {
        const int width = turned.width();
        const int height = turned.height();
        turned.left = bounds.left;
        turned.right = bounds.right;
        const int newHeight = int(qint64(bounds.width()) * height / width);
        turned.top = cy - newHeight / 2;
        turned.bottom = turned.top + newHeight;
    }

    // Shifted back inside, each test on the box as moved so far.
    const auto shift = [&turned](int dx, int dy) {
        turned.left += dx;
        turned.right += dx;
        turned.top += dy;
        turned.bottom += dy;
    };
    if (turned.left < kPictureArea.left)
        shift(bounds.left - turned.left, 0);
    if (turned.top < kPictureArea.top)
        shift(0, bounds.top - turned.top);
    if (turned.right > kPictureArea.right)
        shift(-(turned.right - bounds.right), 0);
    if (turned.bottom > kPictureArea.bottom)
        shift(0, -(turned.bottom - bounds.bottom));
    // The rules above test against the picture area; a picture narrower or flatter than it
    // would still be overhung.
    return holdCropBoxInside(turned, bounds, true);
}

Rect moveCropBox(const Rect& box, int dx, int dy, const Rect& bounds) {
    Rect moved{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
    const int width = moved.width();
    const int height = moved.height();
    if (moved.right > bounds.right) {
        moved.right = bounds.right;
        moved.left = moved.right - width;
    }
    if (moved.left < bounds.left) {
        moved.left = bounds.left;
        moved.right = moved.left + width;
    }
    if (moved.top < bounds.top) {
        moved.top = bounds.top;
        moved.bottom = moved.top + height;
    }
    if (moved.bottom > bounds.bottom) {
        moved.bottom = bounds.bottom;
        moved.top = moved.bottom - height;
    }
    return moved;
}

QPoint clampToRect(const QPoint& p, const Rect& bounds) {
    return QPoint(std::clamp(p.x(), bounds.left, std::max(bounds.left, bounds.right)),
                  std::clamp(p.y(), bounds.top, std::max(bounds.top, bounds.bottom)));
}

Rect spanCropBox(const QPoint& anchor, const QPoint& pointer, const Rect& limits) {
    const QPoint p = clampToRect(pointer, limits);
    return Rect{std::min(anchor.x(), p.x()), std::min(anchor.y(), p.y()), std::max(anchor.x(), p.x()),
                std::max(anchor.y(), p.y())};
}

QPoint fixedCornerFor(int handle, const Rect& reference) {
    const HandleSides sides = sidesOf(handle);
    return QPoint(sides.fixedLeft ? reference.left : reference.right,
                  sides.fixedTop ? reference.top : reference.bottom);
}

Rect fitCornerToRatio(int handle, const Rect& box, const QPoint& pointer, double widthPerHeight,
                      const QPoint& fixedCorner) {
    const HandleSides sides = sidesOf(handle);
    // The pointer's side of the box is the moving one; past the fixed corner it is not.
    const bool crossedX = sides.fixedLeft ? pointer.x() < box.right : box.left < pointer.x();
    const bool crossedY = sides.fixedTop ? pointer.y() < box.bottom : box.top < pointer.y();
    if (crossedX || crossedY)
        return Rect{fixedCorner.x(), fixedCorner.y(), fixedCorner.x() + 1, fixedCorner.y() + 1};

    const int w = box.width();
    const int h = box.height();
    const double proportion = double(w) / double(h);
    int width = w;
    int height = h;
    if (!std::isnan(proportion) && widthPerHeight <= proportion)
        width = truncated(h * widthPerHeight);
    else
        height = truncated(w / widthPerHeight);

    Rect fitted = box;
    if (sides.fixedLeft)
        fitted.right = fitted.left + width;
    else
        fitted.left = fitted.right - width;
    if (sides.fixedTop)
        fitted.bottom = fitted.top + height;
    else
        fitted.top = fitted.bottom - height;
    return fitted;
}

HandleStep stepCropHandle(int handle, const Rect& box, const Rect& reference, const QPoint& pointer,
                          double widthPerHeight, const QPoint& fixedCorner) {
    const HandleSides sides = sidesOf(handle);
    const bool fixedRatio = widthPerHeight > 0.0;
    Rect next = box;
    // The sides the handle does not move come from the reference box.
    (sides.fixedLeft ? next.left : next.right) = sides.fixedLeft ? reference.left : reference.right;
    (sides.fixedTop ? next.top : next.bottom) = sides.fixedTop ? reference.top : reference.bottom;

    if (!fixedRatio || isCorner(handle)) {
        const int anchorX = sides.fixedLeft ? reference.left : reference.right;
        const int anchorY = sides.fixedTop ? reference.top : reference.bottom;
        if (sides.movesX) {
            next.left = std::min(anchorX, pointer.x());
            next.right = std::max(anchorX, pointer.x());
        } else {
            next.left = reference.left;
            next.right = reference.right;
        }
        if (sides.movesY) {
            next.top = std::min(anchorY, pointer.y());
            next.bottom = std::max(anchorY, pointer.y());
        } else {
            next.top = reference.top;
            next.bottom = reference.bottom;
        }
    }
    if (fixedRatio && isCorner(handle))
        next = fitCornerToRatio(handle, next, pointer, widthPerHeight, fixedCorner);

    // Once the pointer reaches the fixed sides the reference stays, so dragging back restores
    // the box as it was before the crossing.
    const int fixedX = sides.fixedLeft ? next.left : next.right;
    const int fixedY = sides.fixedTop ? next.top : next.bottom;
    return HandleStep{next, pointer.x() != fixedX && pointer.y() != fixedY};
}
