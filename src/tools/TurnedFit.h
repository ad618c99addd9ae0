#pragma once

#include "Rect.h"

#include <QPoint>
#include <QSize>

// Where the view draws a picture that was turned (by the Rotate command, or a crop cut turned to
// the current rotation): alone, and in the two halves of the before/after view.
struct ViewRects {
    Rect fitRect;
    Rect compareLeftRect;
    Rect compareRightRect;
};

// The centres the before/after halves hold a portrait picture on.
inline constexpr QPoint compareCenterLeft{175, 310};
inline constexpr QPoint compareCenterRight{515, 310};

// Whether a picture of the unturned size comes out portrait (or square) after a clockwise turn
// by angle: a landscape picture turned a quarter, or any other turned by a half or not at all.
bool turnsToPortrait(const QSize& unturned, int angle);

// A portrait result stands 500 pixels high on imageCenter and 400 high in each half; a landscape
// one is fitted by the view's fitting rules. A portrait picture too wide for 400 pixels of height
// in its half is fitted into the half instead, so the two halves never overlap.
ViewRects fitTurnedPicture(const QSize& turned, bool portrait, const QPoint& imageCenter);
