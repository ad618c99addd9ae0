#pragma once

#include "Rect.h"

#include <QRect>

// Turning the crop box, in window pixels over the picture drawn at imageRect, into a rectangle
// of that picture's pixels.

// The part of the box that lies on the picture: a preset box may reach past a small picture,
// and nothing outside the picture can be cut.
Rect cropBoxOnPicture(const Rect& box, const Rect& bounds);

// The box at scaleX, scaleY picture pixels per window pixel: size and origin each truncated
// toward zero, the origin measured from imageRect's top-left corner.
QRect cropPixelRect(const Rect& box, const Rect& imageRect, double scaleX, double scaleY);

// cut trimmed at its right or bottom side so that width / height is widthPerHeight to the pixel;
// unchanged for a widthPerHeight of 0 (a free box).
QRect holdCutToRatio(const QRect& cut, double widthPerHeight);
