#include "CropCut.h"

#include <algorithm>

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
