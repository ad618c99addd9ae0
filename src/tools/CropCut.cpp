#include "CropCut.h"

#include <algorithm>
#include <cmath>

Rect cropBoxOnPicture(const Rect& box, const Rect& bounds) {
    Rect on{std::max(box.left, bounds.left), std::max(box.top, bounds.top), std::min(box.right, bounds.right),
            std::min(box.bottom, bounds.bottom)};
    if (on.isEmpty())
        return Rect{on.left, on.top, on.left, on.top};
    return on;
}

QRect cropPixelRect(const Rect& box, const Rect& imageRect, double scaleX, double scaleY) {
    const int width = int(box.width() * scaleX);
    const int height = int(box.height() * scaleY);
    const int x = int((box.left - imageRect.left) * scaleX);
    const int y = int((box.top - imageRect.top) * scaleY);
    return QRect(x, y, width, height);
}

QRect holdCutToRatio(const QRect& cut, double widthPerHeight) {
    if (!(widthPerHeight > 0.0) || cut.isEmpty())
        return cut;
    QRect held = cut;
    const int height = std::max(1, int(std::lround(cut.width() / widthPerHeight)));
    if (height <= cut.height())
        held.setHeight(height);
    else
        held.setWidth(std::max(1, int(std::lround(cut.height() * widthPerHeight))));
    return held;
}
